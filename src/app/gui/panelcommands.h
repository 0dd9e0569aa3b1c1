#pragma once

// "&Open" and "&Save" of the Template menu: the dialogs, messages, settings and menu states
// around the core's panel reader and writer, and the panel document they fill and save.

#include "panel/gui/documentsfwd.h"

#include <QObject>
#include <QString>

#include <string>

namespace cockpix {

struct AppModel;
class UserDialogs;
class MainWindow;
class ComparisonDialog;
struct FileDialogRequest;
namespace fs98 {
struct SaveRequest;
}
struct PanelSource;

class PanelCommands : public QObject {
    Q_OBJECT
public:
    PanelCommands(MainWindow& window, PanelDocuments& document, AppModel& app,
                  UserDialogs& dialogs);

    // The dialogs' filter list, default suffix, initial directory and proposed name.
    FileDialogRequest panelFileRequest(const QString& caption) const;

public slots:
    // "&Open": asks for a panel.cfg and opens it.
    void open();
    // "&Save": asks for the output name (the file last saved to, else the panel directory's
    // panel.cfg) and writes the panel there; true when it was written.
    // With "Show changes before saving", the comparison of the file it replaces and the new
    // text comes first, and its "Cancel" saves nothing.
    bool save();
    // "Compare with saved...": the panel's file on disk (the one last opened or saved, else
    // the panel directory's panel.cfg) beside the text "&Save" would write, without saving;
    // the dialog shown (null for a panel without windows).
    ComparisonDialog* compareWithSaved();

public:
    // Opens the given panel.cfg as "&Open" does with that path chosen in its dialog (the
    // command line comes here). True when the panel was read completely.
    bool openPath(const QString& path);

signals:
    // A panel file was read completely by "&Open" (or from the command line, a drop, the
    // recent list or a restore); path is absolute.
    void panelOpened(const QString& path);
    // The panel was written by "&Save" to path (absolute).
    void panelSaved(const QString& path);

private:
    bool openChosenPath(const QString& path);
    // A panel of FS2000 and later: its lines become the document.
    bool openFs2k(const QString& path, PanelSource source);
    // The text "&Save" writes: the fs2k panel's lines, or the FS98 writer's text.
    std::string textToSave(const fs98::SaveRequest& save) const;
    void reportRerouted(const std::string& newPanelDir);
    // A chosen file other than the panel's own panel.cfg that exists already, or any
    // read-only file, is replaced only when the user says so (for a read-only one, with No
    // as the default); readOnly says the user let a read-only file be replaced.
    bool mayReplace(const std::string& outputPath, bool& readOnly);
    // After a save to another folder, that folder is the panel directory: the caption, the
    // settings, the backups and the next Save follow the file just written.
    void followSavedFile(const std::string& outputPath);
    bool reviewChanges(const fs98::SaveRequest& save);

    MainWindow& m_window;
    PanelDocuments& m_documents;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QString m_savedPath; // the file the panel was last saved to, proposed by the next Save
};

} // namespace cockpix
