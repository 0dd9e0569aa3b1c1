#include "outview/gui/externalviewframe.h"

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "drawing/gui/panelrenderer.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/gaugeimage.h"

#include <QFrame>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace cockpix {
namespace {

fs98::RectF inPixels(const fs98::RectF& twips) {
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
            twips.height / kTwipsPerPixel};
}

} // namespace

ExternalViewFrame::ExternalViewFrame(fs98::Document& document, AppModel& app, QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document), m_app(app) {
    setObjectName(QStringLiteral("Form11"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("frameCanvas"));
    m_canvas->setAutoFillBackground(true);
    m_canvas->setAccessibleName(
        tr("The screen as FS98 shows the panel window and the outside view"));
    m_scroll->setWidget(m_canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    m_picture = new GaugeImage(0, m_canvas);
    m_picture->setObjectName(QStringLiteral("Image1"));
    const QString tip = QStringLiteral("Click to pop-up box");
    m_picture->setToolTip(tip);
    m_picture->setAccessibleName(tip);
    m_picture->setCursor(Qt::PointingHandCursor);
    connect(m_picture, &GaugeImage::clicked, this, &ExternalViewFrame::pictureClicked);

    m_frame = new QFrame(m_canvas);
    m_frame->setObjectName(QStringLiteral("Shape1"));
    m_frame->setAccessibleName(tr("Outside view window"));
    m_frame->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 2px solid red; }"));
    m_frame->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ExternalViewFrame::openForCurrentWindow() {
    const int w = m_app.currentWindow;
    if (!fs98::isWindowSlot(w))
        return;
    const fs98::Panel& panel = m_document.panel();
    const fs98::PanelWindow& window = panel.window(w);
    setWindowTitle(fromModelText(
        externalViewTitle(w, window.windowBitmap, window.windowPosition, window.windowSizeRatio)));
    const QSize screen = screenSizePixels();
    m_canvas->setFixedSize(screen);

    // A picture that cannot be loaded leaves the picture empty; the layout still runs.
    const QImage image = loadBitmapImage(resolvePathIgnoringCase(m_app.chosenBitmapPath));
    ExternalViewInput input;
    input.screenWidthPx = screen.width();
    input.screenHeightPx = screen.height();
    if (!image.isNull())
        input.bitmap = BmpSize{image.width(), image.height()};
    input.sizeRatio = window.windowSizeRatio;
    input.position = window.windowPosition;
    input.view = panel.defaultView();
    m_layout = layoutExternalView(input);
    storeReplacements(w);

    m_picture->setPicture(image);
    m_picture->placeAt(inPixels(m_layout.picture));
    m_frameTwips = m_layout.frame;
    placeFrame();
    m_frame->raise();
    fitOnScreen();
}

// The window's frame is known only once the window system has it: the window is fitted
// again then, and once more when the events of its showing are through, for window
// managers that put their frame around it only then.
void ExternalViewFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitOnScreen();
    QTimer::singleShot(0, this, &ExternalViewFrame::fitOnScreen);
}

// The whole window, its frame included, on the screen: at most as large as the screen's
// free part (the canvas scrolls inside), at that part's top-left corner.
void ExternalViewFrame::fitOnScreen() {
    const QRect area = windowArea(*this);
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    resize(m_canvas->size().boundedTo(area.size().shrunkBy(frame)));
    move(area.topLeft()); // a window's position is its frame's
}

// One step named for what it corrected, and none when the panel needed nothing: merely
// looking at the frame must not mark the panel modified.
void ExternalViewFrame::storeReplacements(int w) {
    const fs98::Panel& panel = m_document.panel();
    const std::string name = externalViewCorrectionsName(w, panel.window(w).windowSizeRatio,
                                                         panel.defaultView(), m_layout);
    if (!name.empty())
        m_document.setRatioAndDefaultView(w, m_layout.sizeRatio, m_layout.view,
                                          QString::fromStdString(name));
}

void ExternalViewFrame::setFrameEdge(ViewCoordinate edge, double twips) {
    switch (edge) {
    case ViewCoordinate::X:
        m_frameTwips.left = twips;
        break;
    case ViewCoordinate::Y:
        m_frameTwips.top = twips;
        break;
    case ViewCoordinate::SizeX:
        m_frameTwips.width = twips;
        break;
    case ViewCoordinate::SizeY:
        m_frameTwips.height = twips;
        break;
    }
    placeFrame();
}

QRect ExternalViewFrame::frameRect() const {
    return m_frame->geometry();
}

void ExternalViewFrame::placeFrame() {
    m_frame->setGeometry(pixelRect(inPixels(m_frameTwips)));
}

} // namespace cockpix
