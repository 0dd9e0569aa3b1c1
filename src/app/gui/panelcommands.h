#pragma once

// "&Open" and "&Save" of the Template menu: the dialogs, messages, settings and menu states
// around the core's panel reader and writer.

#include <QObject>
#include <QString>

namespace cockpix {

struct PanelModel;
class UserDialogs;
class MainWindow;
struct FileDialogRequest;

class PanelCommands : public QObject {
    Q_OBJECT
public:
    PanelCommands(MainWindow& window, PanelModel& model, UserDialogs& dialogs);

    // The dialogs' filter list, default suffix, initial directory and proposed name.
    FileDialogRequest panelFileRequest(const QString& caption) const;

public slots:
    // "&Open": asks for a panel.cfg and opens it.
    void open();
    // "&Save": asks for the output name and writes the panel there.
    void save();

public:
    // Opens the given panel.cfg as "&Open" does with that path chosen in its dialog (the
    // command line comes here). True when the panel was read completely.
    bool openPath(const QString& path);

private:
    bool openChosenPath(const QString& path);

    void reportRerouted(const std::string& newPanelDir);

    MainWindow& m_window;
    PanelModel& m_model;
    UserDialogs& m_dialogs;
};

} // namespace cockpix
