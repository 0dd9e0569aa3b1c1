#pragma once

#include "panel/gui/documentsfwd.h"
#include "panelwindows/core/movezoom.h"
#include "state/core/appmodel.h"

#include <QColor>
#include <QDialog>
#include <QImage>

#include <functional>

class QLineEdit;
class QPushButton;
class QScrollBar;
class QGroupBox;

namespace cockpix {

class ZoomPreview;

// What the dialog moves and zooms: the picture of one panel window on the screen.
struct MoveZoomSubject {
    QColor backColor;
    QImage picture;                // the window's background, drawn in the preview
    fs98::ViewPlacement placement; // the zoom and shift it has now
    // What AUTO ADJUST makes as wide as the screen, in pixels, when it is pressed.
    std::function<double()> pictureWidth;
    // The picture's rectangle in preview twips (movezoom.h) at zoom z shifted by shift
    // screen pixels.
    std::function<fs98::RectF(double z, fs98::PointF shift, const PreviewScale& scale)> previewRect;
    // OK: keeps the new zoom and shift.
    std::function<void(const fs98::ViewPlacement& placement)> store;
};

// The subject of FS98 window w: its values in app.display.
MoveZoomSubject panelMoveZoomSubject(const fs98::Document& document, AppModel& app, int w);

// Form15, "Move panel picture...": how COCKPIX shows window w (never written to panel.cfg):
// the zoom, by slider or text, "AUTO ADJUST" to FS98's own fit, and the shift of the picture
// by sliders or texts, over a scaled-down screen with the picture in it. Each text and its
// slider keep each other up to date; a slider that moves writes its value into its text. OK
// stores zoom and shift, and the panel window is drawn again.
//
// objectNames: Text1 (zoom), HScroll1 (zoom slider), Command1 (AUTO ADJUST), Text2 and
// HScroll2 (X shift), Command2 (RESET X), Text3 and VScroll1 (Y shift), Command3 (RESET Y),
// Command4 (OK), Command5 (Cancel), Frame1..Frame3, Picture1 (the screen), Label1..Label6.
class MoveZoomDialog : public QDialog {
    Q_OBJECT
public:
    MoveZoomDialog(const fs98::Document& document, AppModel& app, int w, QWidget* parent = nullptr);
    // The same for any subject; w only names it (windowSlot, placementChanged).
    MoveZoomDialog(const BaseDocument& document, MoveZoomSubject subject, int w,
                   QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    ZoomPreview* preview() const { return m_preview; }
    // OK: nothing while the zoom text reads 0; otherwise stores zoom and shifts, asks for a
    // fresh panel window and closes.
    void confirm();
    void autoAdjust();

signals:
    // The zoom and shift of window w changed: its panel window is to be drawn again.
    void placementChanged(int w);

private:
    QGroupBox* buildZoomGroup();
    QGroupBox* buildFocusGroup();
    QGroupBox* buildConfirmGroup();
    QLineEdit* makeText(const char* name, const QString& accessibleName);
    QPushButton* makeButton(const char* name, const QString& caption, const QString& toolTip);
    void connectControls();
    void fillFromModel();

    void onZoomText();
    void onZoomSlider(int v);
    void onShiftText(bool across);
    void onShiftSlider(bool across, int s);
    void placePreview();

    const BaseDocument& m_document;
    MoveZoomSubject m_subject;
    const int m_w;

    // The dialog's own values: the preview's scale, the zoom slider's value as the zoom text
    // set it, and whether a slider move is the dialog's own (not to be written back).
    PreviewScale m_previewScale;
    double m_zoomSliderValue = 0;
    bool m_zoomSliderGuard = false;
    double m_previewZoom = 1;

    QLineEdit* m_zoomText = nullptr;
    QScrollBar* m_zoomSlider = nullptr;
    QLineEdit* m_shiftText[2] = {};
    QScrollBar* m_shiftSlider[2] = {};
    QPushButton* m_autoAdjust = nullptr;
    QPushButton* m_reset[2] = {};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    ZoomPreview* m_preview = nullptr;
};

} // namespace cockpix
