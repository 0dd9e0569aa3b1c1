#pragma once

// "&Open" and "&Save" of the Template menu: the dialogs, messages, settings and menu states
// around the core's panel reader and writer, and the panel document they fill and save.

#include <QObject>
#include <QString>

#include <string>

namespace cockpix {

struct AppModel;
class PanelDocument;
class UserDialogs;
class MainWindow;
struct FileDialogRequest;

class PanelCommands : public QObject {
    Q_OBJECT
public:
    PanelCommands(MainWindow& window, PanelDocument& document, AppModel& app, UserDialogs& dialogs);

    // The dialogs' filter list, default suffix, initial directory and proposed name.
    FileDialogRequest panelFileRequest(const QString& caption) const;

public slots:
    // "&Open": asks for a panel.cfg and opens it.
    void open();
    // "&Save": asks for the output name and writes the panel there; true when it was written.
    bool save();

public:
    // Opens the given panel.cfg as "&Open" does with that path chosen in its dialog (the
    // command line comes here). True when the panel was read completely.
    bool openPath(const QString& path);

signals:
    // A panel file was opened completely (for the recent-files list); path is absolute.
    void panelOpened(const QString& path);

private:
    bool openChosenPath(const QString& path);
    void reportRerouted(const std::string& newPanelDir);
    // A chosen file other than the panel's own panel.cfg that exists already is replaced
    // only when the user says so.
    bool mayReplace(const std::string& outputPath);

    MainWindow& m_window;
    PanelDocument& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
};

} // namespace cockpix
