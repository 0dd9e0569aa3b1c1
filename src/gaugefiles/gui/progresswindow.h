#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QProgressBar;

namespace cockpix {

// Form10: a small window with a caption and a bar from 0 to 100 that long passes (loading
// a panel window, the palette optimizer) keep up to date. The passes run on the user
// interface thread, so the window repaints itself now and then rather than at every step,
// and it only comes up once a pass has lasted a while: a window that flashed up for a load
// of a tenth of a second would cost more time than the load.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    // A pass shorter than this shows no window at all.
    static constexpr qint64 kShowAfterMs = 400;

    explicit ProgressWindow(QWidget* parent = nullptr, qint64 showAfterMs = kShowAfterMs);

    // Takes the caption and the bar value (clamped to 0..100); shows them once the pass has
    // lasted showAfterMs. The pass must call this (or checkpoint) now and then: the window
    // can only come up and paint while the pass lets it.
    void setProgress(const QString& caption, int percent);
    // The same with the caption and value it has.
    void checkpoint();
    int value() const;
    QString caption() const { return m_caption; }

private:
    void flushPaint();

    QProgressBar* m_bar;
    QString m_caption;
    qint64 m_showAfterMs;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceFlush;
};

} // namespace cockpix
