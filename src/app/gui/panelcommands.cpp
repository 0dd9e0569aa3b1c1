#include "app/gui/panelcommands.h"

#include "app/gui/mainwindow.h"
#include "app/gui/modeltext.h"
#include "app/gui/userdialogs.h"
#include "panel/core/panelmodel.h"
#include "panel/core/panelreader.h"
#include "panel/core/panelwriter.h"
#include "template/gui/templatewindow.h"

#include <QFile>
#include <exception>

namespace cockpix {

PanelCommands::PanelCommands(MainWindow& window, PanelModel& model, UserDialogs& dialogs)
    : QObject(&window), m_window(window), m_model(model), m_dialogs(dialogs) {}

FileDialogRequest PanelCommands::panelFileRequest(const QString& caption) const {
    const QString panelDir = fromModelPath(m_model.dirs.panelDir);
    FileDialogRequest request;
    request.caption = caption;
    request.directory = panelDir;
    request.proposedName = panelDir + QStringLiteral("panel.cfg");
    request.filter = QStringLiteral("FS98 configuration file (*.cfg);;All (*.*)");
    request.defaultSuffix = QStringLiteral("cfg");
    return request;
}

void PanelCommands::open() {
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
    m_dialogs.message(fromModelPath(rerouteMessage(newPanelDir)));
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
    m_model.dirs.panelDir = panelDirFromChosenPath(chosenPath);
    m_window.saveSettings();
    m_window.setMainCaption();

    bool failed = true;
    try {
        failed = readPanelFile(m_model, chosenPath, [this](const std::string& newDir) {
                     reportRerouted(newDir);
                 }).has_value();
    } catch (const std::exception&) {
        // Out of memory on a huge file and the like: one more way for a file to be unusable.
    }
    if (failed) {
        m_dialogs.message(fromModelPath(std::string(kStructureErrorMessage)));
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    applyOpenedRatioRule(m_model);
    if (TemplateWindow* window = m_window.templateWindow())
        window->fillFromModel();
    m_window.setSaveEnabled(true);
    return true;
}

void PanelCommands::save() {
    if (m_model.windowCount == 0)
        return;
    const auto chosen = m_dialogs.saveFileName(panelFileRequest(tr("Save")));
    if (!chosen)
        return;
    const TemplateWindow* window = m_window.templateWindow();
    const PaletteSaveOptions options = window ? window->paletteSaveOptions() : PaletteSaveOptions{};
    QString message;
    try {
        message = fromModelPath(savePanel(m_model, toModelPath(*chosen), options).message);
    } catch (const std::exception& error) {
        // The writer keeps the old file and every backup whatever happens; say it failed.
        message = tr("The panel could not be saved:\n%1").arg(QString::fromUtf8(error.what()));
    }
    m_dialogs.message(message);
}

} // namespace cockpix
