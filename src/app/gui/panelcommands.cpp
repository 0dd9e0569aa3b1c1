#include "app/gui/panelcommands.h"

#include "app/core/appmodel.h"
#include "app/gui/mainwindow.h"
#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "panel/core/panelreader.h"
#include "panel/core/panelwriter.h"
#include "panel/gui/paneldocument.h"
#include "template/gui/templatewindow.h"

#include <QFileInfo>
#include <exception>
#include <filesystem>

namespace cockpix {
namespace {

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace

PanelCommands::PanelCommands(MainWindow& window, PanelDocument& document, AppModel& app,
                             UserDialogs& dialogs)
    : QObject(&window), m_window(window), m_document(document), m_app(app), m_dialogs(dialogs) {}

FileDialogRequest PanelCommands::panelFileRequest(const QString& caption) const {
    const QString panelDir = fromModelPath(m_app.dirs.panelDir);
    FileDialogRequest request;
    request.caption = caption;
    request.directory = panelDir;
    request.proposedName = panelDir + QStringLiteral("panel.cfg");
    request.filter = QStringLiteral("FS98 configuration file (*.cfg);;All (*.*)");
    request.defaultSuffix = QStringLiteral("cfg");
    return request;
}

void PanelCommands::open() {
    if (!m_window.settleUnsavedChanges())
        return;
    m_window.setSaveEnabled(true);
    const auto chosen = m_dialogs.openFileName(panelFileRequest(tr("Open")));
    if (!chosen)
        return;
    openChosenPath(*chosen);
}

bool PanelCommands::openPath(const QString& path) {
    m_window.setSaveEnabled(true);
    return openChosenPath(path);
}

void PanelCommands::reportRerouted(const std::string& newPanelDir) {
    m_app.dirs.panelDir = newPanelDir;
    m_dialogs.message(toQString(rerouteMessage(newPanelDir)));
    m_window.saveSettings();
    m_window.setMainCaption();
}

bool PanelCommands::openChosenPath(const QString& path) {
    m_window.startEmptyPanel();
    if (path.isEmpty()) {
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    const std::string chosenPath = toModelPath(path);
    m_app.dirs.panelDir = panelDirFromChosenPath(chosenPath);
    m_window.saveSettings();
    m_window.setMainCaption();

    Panel panel;
    std::string panelDir = m_app.dirs.panelDir;
    bool failed = true;
    try {
        failed = readPanelFile(panel, panelDir, chosenPath, [this](const std::string& newDir) {
                     reportRerouted(newDir);
                 }).has_value();
    } catch (const std::exception&) {
        // Out of memory on a huge file and the like: one more way for a file to be unusable.
    }
    if (failed) {
        // The template stays empty; the panel keeps what was read up to the error.
        m_document.replacePanel(panel, {});
        m_dialogs.message(
            QString::fromUtf8(kStructureErrorMessage.data(), int(kStructureErrorMessage.size())));
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    applyOpenedRatioRule(panel);
    m_document.replacePanel(panel, panelDir + "panel.cfg");
    if (TemplateWindow* window = m_window.templateWindow())
        window->fillFromModel();
    // The boxes' own handling may have adjusted a value (a position out of bounds, say):
    // that is the panel as opened, not an edit to undo.
    m_document.clearHistory();
    m_window.setSaveEnabled(true);
    emit panelOpened(QFileInfo(path).absoluteFilePath());
    return true;
}

bool PanelCommands::mayReplace(const std::string& outputPath) {
    const std::optional<std::string> panelFile = existingPanelFile(m_app.dirs.panelDir);
    if (panelFile && sameFile(*panelFile, outputPath))
        return true; // it becomes a backup, nothing is lost
    const QFileInfo output(fromModelPath(outputPath));
    if (!output.exists())
        return true;
    return m_dialogs.question(
        tr("%1 already exists.\nDo you want to replace it?").arg(output.fileName()));
}

bool PanelCommands::save() {
    if (m_document.panel().windowCount == 0)
        return false;
    FileDialogRequest request = panelFileRequest(tr("Save"));
    request.confirmOverwrite = false;
    const auto chosen = m_dialogs.saveFileName(request);
    if (!chosen)
        return false;
    const std::string outputPath = toModelPath(*chosen);
    if (!mayReplace(outputPath))
        return false;
    SaveRequest save{m_app.dirs.panelDir, outputPath, m_document.paletteOptions(),
                     m_document.paletteProposal()};
    QString message;
    bool written = false;
    try {
        const SaveResult result = savePanel(m_document.panel(), save);
        written = result.written;
        message = toQString(result.message);
    } catch (const std::exception& error) {
        // The writer keeps the old file and every backup whatever happens; say it failed.
        message = tr("The panel could not be saved:\n%1").arg(QString::fromUtf8(error.what()));
    }
    if (written)
        m_document.markSaved();
    m_dialogs.message(message);
    return written;
}

} // namespace cockpix
