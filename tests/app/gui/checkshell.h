#pragma once

// A main window started on one case of the panel checker's fixtures (tests/fixtures/check):
// the case's panel.cfg in a panel directory of its own beside the synthetic gauges, the
// settings naming those directories, and the panel opened as "&Open" opens it.

#include "shellfixture.h"
#include "app/gui/checkcommands.h"
#include "template/core/checkfixtures.h"
#include "template/gui/checkerwindow.h"

namespace cockpix {

struct CheckShell : ShellFixture {
    test::CheckInstallation installation;

    // False (with a failed check) when the case is not there or does not open.
    bool startOnCase(const QString& name) {
        const test::checkfs::path caseDir = test::checkCasesDir() / name.toStdString();
        if (!test::checkfs::is_directory(caseDir)) {
            QTest::qFail(qPrintable("no fixture case " + name), __FILE__, __LINE__);
            return false;
        }
        installation = test::makeCheckInstallation(temp.path().toStdString(), caseDir);
        app.dirs = installation.dirs;
        app.dirs.paletteDir = app.dirs.gaugesDir;
        app.dirs.programDir = temp.path().toStdString() + "/";
        if (!writeSettings(app.dirs, settingsPath().toStdString()))
            return false;
        start();
        return window->panelCommands().openPath(panelFile());
    }

    // The checker's list, as "&Check panel..." opens it.
    CheckerWindow* showChecker() {
        trigger("mnucheck");
        return window->checkCommands().checkerWindow();
    }

    QString panelFile() const { return QString::fromStdString(installation.panelFile.string()); }
    QString panelDir() const { return QString::fromStdString(installation.dirs.panelDir); }
};

} // namespace cockpix
