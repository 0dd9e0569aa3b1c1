#pragma once

// The running program: the one panel model, the real dialogs and the main window, started
// from the command line.

#include "app/core/commandline.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/paneldocuments.h"
#include "state/core/appmodel.h"

#include <memory>

namespace cockpix {

class MainWindow;

class Application {
public:
    // dialogs: where messages and questions go (tests script them); the real dialogs when
    // none is given.
    explicit Application(UserDialogs* dialogs = nullptr);
    ~Application();

    // Parses the arguments that Qt left, shows the main window, opens the panel named on the
    // command line and runs the event loop. Returns the exit status (2 for bad arguments).
    int run(int argc, char* argv[]);

    // Shows the main window with its template window and opens commandLine.panelPath.
    void start(const CommandLine& commandLine);
    MainWindow* mainWindow() const { return m_window.get(); }
    const AppModel& model() const { return m_app; }

private:
    // --demo: points the settings at the demo's own file and names the demo panel.
    static bool prepareDemoStart(CommandLine& commandLine);

    AppModel m_app;
    PanelDocuments m_documents;
    QtUserDialogs m_ownDialogs;
    UserDialogs& m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace cockpix
