#pragma once

// The external view frame (Form11): a screen-sized picture of where FS98 puts the current
// panel window (Image1, its background at its position and size ratio, tooltip "Click to
// pop-up box") and the outside 3D view window (Shape1, the [Default View] rectangle). Laid
// out in screen coordinates on a canvas (frameCanvas) as large as the screen, scrolled when
// the window is smaller. A click on the picture asks for the coordinates dialog. The
// layout keeps its derived values to itself, so the panel windows keep their own.

#include "outview/core/externalviewlayout.h"
#include "outview/core/viewcoordinates.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QWidget>

class QFrame;
class QScrollArea;

namespace cockpix {

class GaugeImage;

class ExternalViewFrame : public QWidget {
    Q_OBJECT
public:
    ExternalViewFrame(fs98::Document& document, AppModel& app, QWidget* parent = nullptr);

    // Lays the window out again for currentWindow and chosenBitmapPath. A size ratio of 0
    // becomes 1 and a default view size of 0 becomes 2000, in the panel (one undo step for
    // all of them, none when nothing needed it).
    void openForCurrentWindow();

    // One edge of the frame, in twips, as the coordinates dialog moves it: left for X, top
    // for Y, width and height for the sizes.
    void setFrameEdge(ViewCoordinate edge, double twips);

    const ExternalViewLayout& layout() const { return m_layout; }
    // The frame rectangle in twips as it stands, and as the screen shows it.
    const fs98::RectF& frameTwips() const { return m_frameTwips; }
    QRect frameRect() const;
    GaugeImage* picture() const { return m_picture; }

signals:
    void pictureClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void storeReplacements(int w);
    void placeFrame();
    void fitOnScreen();

    fs98::Document& m_document;
    AppModel& m_app;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    GaugeImage* m_picture = nullptr;
    QFrame* m_frame = nullptr;
    ExternalViewLayout m_layout;
    fs98::RectF m_frameTwips;
};

} // namespace cockpix
