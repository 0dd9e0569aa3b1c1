#include "settings/core/shippedfiles.h"

#include "base/core/scratchdir.h"

namespace cockpix {
namespace {

using ShippedFilesTest = ScratchDirTest;

TEST(ShippedFiles, TheInstalledDataDirectoryIsThePrefixsShare) {
    EXPECT_EQ(installedDataDir("/usr/bin/"), "/usr/share/cockpix/");
    EXPECT_EQ(installedDataDir("/opt/cockpix/bin"), "/opt/cockpix/share/cockpix/");
    EXPECT_EQ(installedDataDir("/tmp/root/usr/local/bin/"), "/tmp/root/usr/local/share/cockpix/");
    EXPECT_EQ(installedDataDir(""), "");
}

// The COCKPIX directory first, then the program's own copy, in a build (beside the program)
// or in an installation (the prefix's share/cockpix/); case is ignored as everywhere.
TEST_F(ShippedFilesTest, TheFirstCopyThatExistsWins) {
    const std::string prog = at("prog/"), build = at("build/bin/"), usrBin = at("usr/bin/");
    touch("prog/own.html");
    touch("build/bin/own.html");
    touch("build/bin/beside.bmp");
    touch("usr/share/cockpix/Default_Gauge_Bitmap.BMP");
    touch("usr/share/cockpix/beside.bmp");
    std::filesystem::create_directories(usrBin);
    const struct {
        std::string programDir, installedDir, name, expected;
    } rows[] = {
        {prog, build, "own.html", at("prog/own.html")},
        {"", build, "own.html", at("build/bin/own.html")},
        {prog, build, "beside.bmp", at("build/bin/beside.bmp")}, // the build's copy first
        {prog, usrBin, "default_gauge_bitmap.bmp",
         at("usr/share/cockpix/Default_Gauge_Bitmap.BMP")},
        {"", usrBin, "beside.bmp", at("usr/share/cockpix/beside.bmp")},
        // Nowhere: the first path tried, so that the message names it.
        {prog, usrBin, "missing.pcl", prog + "missing.pcl"},
        {"", usrBin, "missing.pcl", usrBin + "missing.pcl"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.programDir + " | " + row.installedDir + " | " + row.name);
        EXPECT_EQ(shippedFilePath(row.programDir, row.installedDir, row.name), row.expected);
    }
    // A directory of the shipped name is no file.
    std::filesystem::create_directories(at("prog/dir.html"));
    touch("usr/share/cockpix/dir.html");
    EXPECT_EQ(shippedFilePath(prog, usrBin, "dir.html"), at("usr/share/cockpix/dir.html"));
}

} // namespace
} // namespace cockpix
