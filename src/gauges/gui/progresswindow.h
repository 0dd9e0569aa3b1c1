#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QProgressBar;

namespace cockpix {

// Form10: a small window with a caption and a bar from 0 to 100 that long passes (loading
// a panel window, the palette optimizer) keep up to date. The passes run on the user
// interface thread, so the window repaints itself now and then rather than at every step.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Shows the caption and the bar value (clamped to 0..100).
    void setProgress(const QString& caption, int percent);
    int value() const;

private:
    void flushPaint();

    QProgressBar* m_bar;
    QElapsedTimer m_sinceFlush;
};

} // namespace cockpix
