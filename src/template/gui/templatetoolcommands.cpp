#include "template/gui/templatetoolcommands.h"

#include "outview/gui/outsideviewtool.h"
#include "palette/gui/paletteoptimizerdialog.h"
#include "panel/gui/fs98/document.h"
#include "template/gui/templatewindow.h"

namespace cockpix {

TemplateToolCommands::TemplateToolCommands(fs98::Document& document, AppModel& app,
                                           UserDialogs& dialogs, QWidget* parentWindow,
                                           QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_dialogs(dialogs),
      m_parentWindow(parentWindow),
      m_outsideView(new OutsideViewTool(document, app, dialogs, parentWindow, this)) {
    // Their lists and frames show the panel they were opened on.
    connect(&m_document, &fs98::Document::panelReplaced, this,
            &TemplateToolCommands::closeToolWindows);
}

void TemplateToolCommands::attach(TemplateWindow* templateWindow) {
    m_template = templateWindow;
    connect(templateWindow, &TemplateWindow::paletteOptimizerRequested, this,
            &TemplateToolCommands::openPaletteOptimizer);
    connect(templateWindow, &TemplateWindow::outsideViewRequested, this,
            &TemplateToolCommands::openOutsideView);
}

// Pressed again, the dialog lists the panel's windows afresh.
void TemplateToolCommands::openPaletteOptimizer() {
    if (m_document.panel().windowCount == 0)
        return;
    if (m_optimizer)
        m_optimizer->close();
    m_optimizer = new PaletteOptimizerDialog(
        m_document, m_app, m_dialogs, [this] { return toleranceText(); }, m_parentWindow);
    m_optimizer->show();
    m_optimizer->raise();
    m_optimizer->activateWindow();
}

void TemplateToolCommands::openOutsideView() {
    m_outsideView->start();
}

void TemplateToolCommands::closeToolWindows() {
    if (m_optimizer)
        m_optimizer->close();
    m_outsideView->closeAll();
}

// Once the template is closed, the threshold it last stored stands in for its box.
QString TemplateToolCommands::toleranceText() const {
    return m_template ? m_template->thresholdText() : QString::number(m_app.paletteTolerance);
}

} // namespace cockpix
