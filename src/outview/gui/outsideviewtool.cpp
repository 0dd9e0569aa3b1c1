#include "outview/gui/outsideviewtool.h"

#include "panel/gui/fs98/document.h"

namespace cockpix {
namespace {

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

OutsideViewTool::OutsideViewTool(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                                 QWidget* parentWindow, QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_dialogs(dialogs),
      m_parentWindow(parentWindow) {}

void OutsideViewTool::start() {
    if (m_document.panel().windowCount == 0)
        return;
    if (m_chooser)
        m_chooser->close();
    m_chooser = new OutsideViewChooser(m_document, m_app, m_dialogs, m_parentWindow);
    connect(m_chooser, &OutsideViewChooser::frameRequested, this, &OutsideViewTool::openFrame);
    bringToFront(m_chooser);
}

void OutsideViewTool::openFrame() {
    if (!m_frame) {
        m_frame = new ExternalViewFrame(m_document, m_app, m_parentWindow);
        connect(m_frame, &ExternalViewFrame::pictureClicked, this,
                &OutsideViewTool::openCoordinates);
    }
    m_frame->openForCurrentWindow();
    bringToFront(m_frame);
}

void OutsideViewTool::openCoordinates() {
    // The dialog moves the frame, so the frame is there first (laid out from the panel).
    if (!m_frame)
        openFrame();
    if (!m_coordinates) {
        m_coordinates = new ExternalViewCoordinates(m_parentWindow);
        connect(m_coordinates, &ExternalViewCoordinates::frameEdgeChanged, this,
                [this](ViewCoordinate edge, double twips) {
                    if (m_frame)
                        m_frame->setFrameEdge(edge, twips);
                });
        connect(m_coordinates, &ExternalViewCoordinates::confirmed, this,
                &OutsideViewTool::confirm);
        connect(m_coordinates, &ExternalViewCoordinates::cancelled, this,
                &OutsideViewTool::closeFrameAndCoordinates);
    }
    // The frame's own scale: nothing else may reset it while the frame is open.
    m_coordinates->fill(m_document.panel().defaultView(), m_frame->layout().scale);
    bringToFront(m_frame);
    bringToFront(m_coordinates);
}

void OutsideViewTool::confirm(const fs98::DefaultView& view) {
    m_document.breakMerge();
    m_document.setDefaultView(view);
    m_document.breakMerge();
    closeFrameAndCoordinates();
}

void OutsideViewTool::closeFrameAndCoordinates() {
    if (m_frame)
        m_frame->close();
    if (m_coordinates)
        m_coordinates->close();
}

void OutsideViewTool::closeAll() {
    if (m_chooser)
        m_chooser->close();
    closeFrameAndCoordinates();
}

} // namespace cockpix
