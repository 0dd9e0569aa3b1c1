#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QLabel;
class QScrollBar;

namespace cockpix {

// The scale under the move/zoom dialog's zoom slider ("/5" .. "X5"): each mark stands right
// above the place the slider's handle takes at its value, wherever the style puts the
// arrows and however wide the dialog is, and follows the slider when it is resized.
//
// objectNames: the marks are Label2_0, Label2_1, ... from the left.
class ZoomScaleLabels : public QWidget {
    Q_OBJECT
public:
    // marks: the slider value and the text of each mark.
    ZoomScaleLabels(QScrollBar* slider, const QList<QPair<int, QString>>& marks,
                    QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The horizontal centre of the slider's handle at value, in this widget's pixels.
    int handleCentre(int value) const;
    void placeMarks();

    QScrollBar* m_slider;
    QList<QPair<int, QLabel*>> m_marks;
};

} // namespace cockpix
