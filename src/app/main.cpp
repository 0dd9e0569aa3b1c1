#include "app/core/commandline.h"
#include "app/gui/application.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    // --help and --version must work without a display, so they are answered before Qt
    // starts.
    if (cockpix::helpRequested(argc, argv)) {
        std::cout << cockpix::commandLineUsage();
        return 0;
    }
    if (cockpix::versionRequested(argc, argv)) {
        std::cout << cockpix::versionLine();
        return 0;
    }
    QApplication qtApplication(argc, argv); // takes Qt's own options out of argv
    cockpix::Application application;
    return application.run(argc, argv);
}
