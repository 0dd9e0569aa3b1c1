#pragma once

// The lower part of the template window: the four [Default View] boxes, the palette
// options with the optimizer's threshold and last colour count, the two tool buttons and
// the window count.

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cockpix {

class ViewPalettePanel : public QWidget {
    Q_OBJECT
public:
    explicit ViewPalettePanel(QWidget* parent = nullptr);

    // Text9..Text12: X position, Y position, X size, Y size.
    QLineEdit* viewBox(int index) const { return m_viewBoxes.at(index); }
    QLineEdit* thresholdBox() const { return m_threshold; }          // Text13
    QLabel* addedColorsLabel() const { return m_addedColors; }       // Label17
    QLabel* windowCountLabel() const { return m_windowCount; }       // Label15
    QCheckBox* paletteSaveBox() const { return m_paletteSave; }      // Check1
    QCheckBox* paletteEraseBox() const { return m_paletteErase; }    // Check2
    QPushButton* optimizerButton() const { return m_optimizer; }     // Command5
    QPushButton* outsideViewButton() const { return m_outsideView; } // Command2

    // Every label of this part, captions and value labels alike (they take the template
    // colour).
    const QList<QLabel*>& labels() const { return m_labels; }

private:
    static QString spokenLabel(const QString& caption);
    QLabel* makeLabel(const char* name, const QString& text);
    QLineEdit* makeBox(const char* name, const QString& tooltip);
    QPushButton* makeButton(const char* name, const QString& caption, const QString& tooltip);

    QList<QLineEdit*> m_viewBoxes;
    QLineEdit* m_threshold = nullptr;
    QLabel* m_addedColors = nullptr;
    QLabel* m_windowCount = nullptr;
    QCheckBox* m_paletteSave = nullptr;
    QCheckBox* m_paletteErase = nullptr;
    QPushButton* m_optimizer = nullptr;
    QPushButton* m_outsideView = nullptr;
    QList<QLabel*> m_labels;
};

} // namespace cockpix
