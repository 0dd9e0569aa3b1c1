#include "app/gui/panelcommands.h"

#include "app/gui/mainwindow.h"
#include "base/core/filelookup.h"
#include "base/gui/comparisondialog.h"
#include "base/gui/modeltext.h"
#include "base/gui/userdialogs.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panel/core/panelsource.h"
#include "panel/gui/paneldocuments.h"
#include "settings/core/installation.h"
#include "state/core/appmodel.h"
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

// The file on disk a save is compared with: the one it replaces, else the panel's own
// panel.cfg; its label and bytes (empty when there is neither).
struct SavedFile {
    QString label;
    std::string bytes;
};

SavedFile savedFile(const std::string& outputPath, const std::string& panelDir) {
    for (const std::optional<std::string>& path :
         {findPathIgnoringCase(outputPath), existingPanelFile(panelDir)}) {
        if (!path)
            continue;
        if (const std::optional<std::string> bytes = readWholeFile(*path))
            return {QObject::tr("%1 on disk").arg(QFileInfo(fromModelPath(*path)).fileName()),
                    *bytes};
    }
    return {QObject::tr("(no file yet)"), {}};
}

// The structural error under the fixed message, as the command-line tool prints it.
QString structureMessage(const std::optional<fs98::ReadError>& error) {
    QString text = QString::fromUtf8(fs98::kStructureErrorMessage.data(),
                                     int(fs98::kStructureErrorMessage.size()));
    if (error)
        text += QStringLiteral("\n") + toQString(error->describeText());
    return text;
}

} // namespace

PanelCommands::PanelCommands(MainWindow& window, PanelDocuments& document, AppModel& app,
                             UserDialogs& dialogs)
    : QObject(&window), m_window(window), m_documents(document), m_app(app), m_dialogs(dialogs) {
    // New, Open and Close Template start from another panel: Save proposes panel.cfg again.
    connect(&document.fs98(), &BaseDocument::panelReplaced, this, [this] { m_savedPath.clear(); });
    connect(&document.fs2k(), &BaseDocument::panelReplaced, this, [this] { m_savedPath.clear(); });
}

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
    m_dialogs.message(toQString(fs98::rerouteMessage(newPanelDir)));
    m_window.saveSettings();
    m_window.setMainCaption();
}

bool PanelCommands::openChosenPath(const QString& path) {
    if (path.isEmpty()) {
        m_window.startEmptyPanel();
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    const std::string chosenPath = toModelPath(path);
    const std::string chosenDir = fs98::panelDirFromChosenPath(chosenPath);
    PanelSource source;
    try {
        source = locatePanel(chosenPath, chosenDir);
    } catch (const std::exception&) {
        source = {}; // unreadable as either: the FS98 reader says what is wrong
        source.file = chosenPath;
        source.panelDir = chosenDir;
    }
    // A panel of FS2000 and later finds its gauges in the installation it lies in: no need
    // to ask for FS98's folders first. An FS98 panel keeps the settings' directories.
    Installation installation;
    if (source.format == PanelFormat::Fs2k)
        installation = findInstallation(source.panelDir, m_app.dirs.gaugesDir);
    m_window.startEmptyPanel(!installation.found());
    m_app.installation = std::move(installation);
    m_app.dirs.panelDir = chosenDir;
    m_window.saveSettings();
    m_window.setMainCaption();
    // An fs2k panel, or an FS98 one that an fs2k file's alias leads to: the aliases were
    // followed already, and each is told as the FS98 reader tells its own.
    if (source.format == PanelFormat::Fs2k || source.file != chosenPath) {
        for (const std::string& dir : source.reroutes)
            reportRerouted(dir);
    }
    if (source.format == PanelFormat::Fs2k)
        return openFs2k(path, std::move(source));

    fs98::Panel panel;
    std::string panelDir = m_app.dirs.panelDir;
    // The file read: the one chosen, or after an alias the other aircraft's panel.cfg.
    std::string readPath = source.file;
    bool failed = true;
    std::optional<fs98::ReadError> error;
    try {
        const auto onReroute = [&](const std::string& newDir) {
            reportRerouted(newDir);
            readPath = newDir + "panel.cfg";
        };
        // The bytes read to tell the format are the file: it is not read a second time.
        // (An empty or unreadable file goes the old road, for its own message.)
        error = source.bytes.empty()
                    ? fs98::readPanelFile(panel, panelDir, source.file, onReroute)
                    : fs98::readPanelText(panel, panelDir, source.bytes,
                                          resolvePathIgnoringCase(source.file), onReroute);
        failed = error.has_value();
    } catch (const std::exception&) {
        // Out of memory on a huge file and the like: one more way for a file to be unusable.
    }
    if (failed) {
        // The template stays empty; the panel keeps what was read up to the error.
        m_documents.replaceWithFs98(panel, {});
        // A program or a picture is no panel.cfg of any structure.
        const bool binary = error && error->reason == fs98::kBinaryDataReason;
        m_dialogs.message(binary ? toQString(error->describeText()) : structureMessage(error));
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    fs98::applyOpenedRatioRule(panel);
    m_documents.replaceWithFs98(panel, readPath);
    if (TemplateWindow* window = m_window.templateWindow())
        window->fillFromModel();
    // The boxes' own handling may have adjusted a value (a position out of bounds, say):
    // that is the panel as opened, not an edit to undo.
    m_documents.fs98().clearHistory();
    m_window.setSaveEnabled(true);
    emit panelOpened(QFileInfo(path).absoluteFilePath());
    return true;
}

bool PanelCommands::openFs2k(const QString& path, PanelSource source) {
    try {
        m_documents.replaceWithFs2k(fs2k::PanelLines(std::move(source.bytes)), source.file);
    } catch (const std::exception&) {
        // A file of more than 4 GiB, or out of memory: nothing of it is shown.
        m_documents.replaceWithFs98(fs98::Panel{}, {});
        m_dialogs.message(
            tr("The panel file could not be read:\n%1").arg(fromModelPath(source.file)));
        m_window.setOpenEnabled(true);
        m_window.setSaveEnabled(false);
        return false;
    }
    m_documents.fs2k().clearHistory();
    m_window.setSaveEnabled(true);
    emit panelOpened(QFileInfo(path).absoluteFilePath());
    return true;
}

std::string PanelCommands::textToSave(const fs98::SaveRequest& save) const {
    return m_documents.current().bytesToSave(save);
}

bool PanelCommands::mayReplace(const std::string& outputPath, bool& readOnly) {
    if (const std::optional<std::string> target =
            readOnlySaveTarget(m_app.dirs.panelDir, outputPath)) {
        readOnly =
            m_dialogs.questionDefaultNo(tr("%1 is read-only.\nDo you want to replace it anyway?")
                                            .arg(QFileInfo(fromModelPath(*target)).fileName()));
        return readOnly;
    }
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
    if (!m_documents.current().hasContent())
        return false;
    FileDialogRequest request = panelFileRequest(tr("Save"));
    request.confirmOverwrite = false;
    if (!m_savedPath.isEmpty())
        request.proposedName = m_savedPath;
    if (m_documents.current().format() == PanelFormat::Fs2k)
        request.filter = tr("FS2000 and later configuration file (*.cfg);;All (*.*)");
    const auto chosen = m_dialogs.saveFileName(request);
    if (!chosen)
        return false;
    const std::string outputPath = toModelPath(*chosen);
    bool readOnly = false;
    if (!mayReplace(outputPath, readOnly))
        return false;
    fs98::SaveRequest save{m_app.dirs.panelDir, outputPath, m_documents.fs98().paletteOptions(),
                           m_documents.fs98().paletteProposal(), readOnly};
    if (m_app.options.showChangesBeforeSaving && !reviewChanges(save))
        return false;
    SaveResult result;
    QString message;
    try {
        // hasContent() above: an FS98 panel saved here has windows.
        result = savePanelBytes(m_documents.current().bytesToSave(save), save.panelDir, outputPath,
                                readOnly);
        message = toQString(result.message);
    } catch (const std::exception& error) {
        // The writer keeps the old file and every backup whatever happens; say it failed.
        message = tr("The panel could not be saved:\n%1").arg(QString::fromUtf8(error.what()));
    }
    // Saved under another name, the panel is that file's from now on, as if opened from it.
    if (result.written) {
        m_documents.current().markSaved(result.outputPath);
        followSavedFile(result.outputPath);
    }
    m_dialogs.message(message);
    if (result.written)
        emit panelSaved(m_savedPath);
    return result.written;
}

void PanelCommands::followSavedFile(const std::string& outputPath) {
    m_savedPath = QFileInfo(fromModelPath(outputPath)).absoluteFilePath();
    const std::string savedDir = fs98::panelDirFromChosenPath(outputPath);
    if (sameFile(savedDir, m_app.dirs.panelDir))
        return;
    m_app.dirs.panelDir = savedDir;
    m_window.saveSettings();
    m_window.setMainCaption();
}

bool PanelCommands::reviewChanges(const fs98::SaveRequest& save) {
    const SavedFile old = savedFile(save.outputPath, save.panelDir);
    return m_dialogs.confirmChanges(
        {old.label, old.bytes,
         tr("%1 to be saved").arg(QFileInfo(fromModelPath(save.outputPath)).fileName()),
         textToSave(save)});
}

ComparisonDialog* PanelCommands::compareWithSaved() {
    if (!m_documents.current().hasContent()) {
        m_dialogs.message(tr("The panel has no windows: Save would write nothing."));
        return nullptr;
    }
    const std::string panelFile = m_documents.current().filePath().empty()
                                      ? m_app.dirs.panelDir + "panel.cfg"
                                      : m_documents.current().filePath();
    const fs98::SaveRequest save{m_app.dirs.panelDir, panelFile,
                                 m_documents.fs98().paletteOptions(),
                                 m_documents.fs98().paletteProposal()};
    const SavedFile old = savedFile(panelFile, m_app.dirs.panelDir);
    auto* dialog = new ComparisonDialog(ComparisonDialog::Purpose::Compare, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTexts(old.label, old.bytes, tr("the panel as Save writes it"), textToSave(save));
    dialog->show();
    return dialog;
}

} // namespace cockpix
