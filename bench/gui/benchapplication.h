#pragma once

// The one Qt application of the GUI benchmarks, on the offscreen platform and the tests'
// screen unless the environment names others. Every benchmark file asks for it here: Qt
// allows one application object a process, and the benchmarks run in one process. And the
// dialogs they give the windows: none shows, no question is answered yes.

#include "base/gui/userdialogs.h"

#include <QApplication>

namespace cockpix {

inline void benchApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("COCKPIX_SCREEN"))
        qputenv("COCKPIX_SCREEN", "1024x768");
    static int argc = 1;
    static char name[] = "cockpix_gui_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// Warnings of the demo's deliberately broken modules are not what is measured.
class SilentDialogs final : public UserDialogs {
public:
    void message(const QString&) override {}
    bool question(const QString&) override { return false; }
    SaveChoice askToSave(const QString&) override { return SaveChoice::Cancel; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QColor> chooseColor(const QColor&) override { return {}; }
    bool showHelp(const QString&) override { return false; }
};

} // namespace cockpix
