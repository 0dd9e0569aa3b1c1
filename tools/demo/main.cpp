// cockpix-demogen OUTDIR: writes the demo FS98 installation and the program directory's
// default pictures, so that no binary file has to live in the repository.

#include "demoinstallation.h"
#include "fs2kdemo.h"
#include "msfsdemo.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::fprintf(
            argc == 2 ? stdout : stderr,
            "Usage: cockpix-demogen OUTDIR\n"
            "Writes OUTDIR/program/default_*.bmp, OUTDIR/fs98/gauges/*.gau and the demo "
            "aircraft panels under OUTDIR/fs98/aircraft/ (the files of the demo jet's cabinet in\n"
            "OUTDIR/cab-staging/, for the build to pack), and the demo MSFS package under\n"
            "OUTDIR/msfs/Community/.\n");
        return argc == 2 ? 0 : 64;
    }
    std::string problem = cockpix::demo::writeDemoInstallation(argv[1]);
    if (problem.empty())
        problem = cockpix::demo::writeFs2kDemoAircraft(argv[1]);
    if (problem.empty())
        problem = cockpix::demo::writeMsfsDemoPackage(argv[1]);
    if (!problem.empty()) {
        std::fprintf(stderr, "cockpix-demogen: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}
