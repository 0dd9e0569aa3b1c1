#include "app/gui/checkcommands.h"

#include "app/gui/backupsdialog.h"
#include "app/gui/mainwindow.h"
#include "app/gui/panelcommands.h"
#include "base/gui/counttext.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/paneldocuments.h"
#include "template/gui/checkerwindow.h"
#include "template/gui/fs2k/windowtable.h"
#include "template/gui/panelcheck.h"
#include "template/gui/templatefocus.h"
#include "template/gui/templatewindow.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTableWidget>

namespace cockpix {
CheckCommands::CheckCommands(MainWindow& window, PanelDocuments& document, AppModel& app,
                             UserDialogs& dialogs)
    : QObject(&window), m_window(window), m_documents(document), m_app(app), m_dialogs(dialogs),
      m_check(new PanelCheck(document, app, this)) {
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("checkStatus"));
    m_status->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_status->setToolTip(tr("What the panel checker found: click to see the list"));
    m_status->setAccessibleDescription(m_status->toolTip());
    m_status->hide();
    // A permanent widget: messages shown in the status bar never hide the count.
    window.statusBar()->addPermanentWidget(m_status);
    connect(m_status, &QLabel::linkActivated, this, &CheckCommands::showChecker);

    connect(m_check, &PanelCheck::findingsChanged, this, &CheckCommands::updateStatus);
    // After a Save the findings are those of the file just written, which may lie elsewhere.
    const auto showFindings = [this] {
        setStatusShown(true);
        m_check->recheck();
    };
    connect(&window.panelCommands(), &PanelCommands::panelOpened, this, showFindings);
    connect(&window.panelCommands(), &PanelCommands::panelSaved, this, showFindings);
    // New, Open and a failed Open start from another panel; a good Open shows it again.
    for (BaseDocument* replaced : {static_cast<BaseDocument*>(&document.fs98()),
                                   static_cast<BaseDocument*>(&document.fs2k())})
        connect(replaced, &BaseDocument::panelReplaced, this, [this] { setStatusShown(false); });
}

CheckerWindow* CheckCommands::checkerWindow() const {
    return m_checker;
}

BackupsDialog* CheckCommands::backupsDialog() const {
    return m_backups;
}

void CheckCommands::setStatusShown(bool shown) {
    m_statusShown = shown;
    updateStatus();
}

void CheckCommands::updateStatus() {
    m_status->setVisible(m_statusShown);
    if (!m_statusShown)
        return;
    const int count = static_cast<int>(m_check->findings().size());
    const QString text =
        count == 0 ? tr("No findings") : countText(count, tr("finding"), tr("findings"));
    m_status->setText(QStringLiteral("<a href=\"#check\">%1</a>").arg(text));
    m_status->setAccessibleName(text);
}

CheckerWindow* CheckCommands::showChecker() {
    if (!m_checker) {
        m_checker = new CheckerWindow(*m_check, m_documents, m_app, m_dialogs, &m_window);
        m_checker->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_checker, &CheckerWindow::rowRequested, this, &CheckCommands::showTemplateRow);
        connect(m_checker, &CheckerWindow::viewFieldRequested, this, &CheckCommands::showViewBox);
        connect(m_checker, &CheckerWindow::gaugeRequested, this, &CheckCommands::gaugeRequested);
    }
    m_check->recheck();
    m_checker->show();
    m_checker->raise();
    m_checker->activateWindow();
    return m_checker;
}

BackupsDialog* CheckCommands::showBackups() {
    if (!m_backups) {
        m_backups = new BackupsDialog(m_window, m_app, m_dialogs);
        m_backups->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        m_backups->refresh();
    }
    m_backups->show();
    m_backups->raise();
    m_backups->activateWindow();
    return m_backups;
}

void CheckCommands::showTemplateRow(int w, int field) {
    TemplateWindow* window = m_window.templateWindow();
    if (window == nullptr)
        return;
    m_window.mdiArea()->setActiveSubWindow(m_window.templateSubWindow());
    m_documents.visit([&](const fs98::Document&) { focusTemplateRow(*window, w, field); },
                      [&](const fs2k::Document&) {
                          // Row w of the table is the panel's w-th window or virtual cockpit,
                          // as in the findings.
                          QTableWidget* table = window->fs2kTable()->table();
                          if (w < table->rowCount()) {
                              table->setCurrentCell(w, 0);
                              table->setFocus();
                          }
                      });
}

void CheckCommands::showViewBox(int index) {
    TemplateWindow* window = m_window.templateWindow();
    if (window == nullptr)
        return;
    m_window.mdiArea()->setActiveSubWindow(m_window.templateSubWindow());
    focusTemplateViewBox(*window, index);
}

} // namespace cockpix
