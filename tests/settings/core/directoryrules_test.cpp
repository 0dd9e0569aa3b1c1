#include "settings/core/directoryrules.h"

#include "base/core/scratchdir.h"
#include "settings/core/settings.h"

namespace cockpix {
namespace {

TEST(DirectoryRules, SelectedPathEndsWithExactlyOneSlash) {
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges/"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/"), "/");
}

TEST(DirectoryRules, WorkDirectoriesFollowBrowsingOnlyForGauges) {
    Directories dirs;
    dirs.bmpDir = "/old/bmp/";
    EXPECT_EQ(applyBrowsedPath(dirs, "PANEL", "/fs98/aircraft/c182/panel"),
              "/fs98/aircraft/c182/panel/");
    EXPECT_EQ(dirs.bmpDir, "/old/bmp/");

    applyBrowsedPath(dirs, "GAUGES", "/fs98/gauges");
    EXPECT_EQ(dirs.bmpDir, "/fs98/gauges/bmp/");
    EXPECT_EQ(dirs.paletteDir, "/fs98/gauges/palette/");
    applyBrowsedPath(dirs, "GAUGES", "/");
    EXPECT_EQ(dirs.bmpDir, "/bmp/");
    EXPECT_EQ(dirs.paletteDir, "/palette/");
}

class ConfirmDirectory : public ScratchDirTest {};

TEST_F(ConfirmDirectory, GaugesNeedTheProbeModuleAndBringTheirWorkDirectories) {
    Directories dirs;
    std::string selected = applyBrowsedPath(dirs, "GAUGES", at("gauges"));
    EXPECT_EQ(confirmDirectory(dirs, "GAUGES", selected, at("config/cockpix.ini")).status,
              ConfirmStatus::WrongDirectory);
    EXPECT_EQ(dirs.gaugesDir, "");
    EXPECT_FALSE(std::filesystem::exists(at("config/cockpix.ini")));

    touch("gauges/Cessna_182.Airspeed.gau"); // found whatever its case
    EXPECT_EQ(confirmDirectory(dirs, "GAUGES", selected, at("config/cockpix.ini")).status,
              ConfirmStatus::Stored);
    EXPECT_EQ(dirs.gaugesDir, at("gauges/"));
    EXPECT_TRUE(std::filesystem::is_directory(at("gauges/bmp")));
    EXPECT_TRUE(std::filesystem::is_directory(at("gauges/palette")));

    touch("other/CESSNA_182.AIRSPEED.GAU");
    touch("other/palette"); // a file where the work directory should go
    selected = applyBrowsedPath(dirs, "GAUGES", at("other"));
    const ConfirmResult result =
        confirmDirectory(dirs, "GAUGES", selected, at("config/cockpix.ini"));
    EXPECT_EQ(result.status, ConfirmStatus::WorkDirFailed);
    EXPECT_EQ(result.failedPath, at("other/palette/"));
    Directories written; // already stored and written all the same
    readSettings(written, at("config/cockpix.ini"));
    EXPECT_EQ(written.gaugesDir, at("other/"));
}

// A panel copied from Windows keeps its case; a panel outside an FS98 tree, or in one
// without gauges, has no installation gauges directory.
TEST_F(ConfirmDirectory, AnInstallationsGaugesLieBesideItsAircraftFolder) {
    touch("FS98/GAUGES/x.gau");
    touch("FS98/Aircraft/C182/Panel/panel.cfg");
    EXPECT_EQ(installationGaugesDir(at("FS98/Aircraft/C182/Panel/")), at("FS98/GAUGES/"));
    EXPECT_EQ(installationGaugesDir(at("FS98/Aircraft/C182/Panel")), at("FS98/GAUGES/"));
    touch("FS98/Aircraft/C182/Panel.alt/panel.cfg");
    EXPECT_EQ(installationGaugesDir(at("FS98/Aircraft/C182/Panel.alt/")), "");
    touch("elsewhere/C182/panel/panel.cfg");
    touch("elsewhere/gauges/x.gau");
    EXPECT_EQ(installationGaugesDir(at("elsewhere/C182/panel/")), "");
    touch("bare/aircraft/c182/panel/panel.cfg");
    touch("bare/gauges"); // a file, not a folder
    EXPECT_EQ(installationGaugesDir(at("bare/aircraft/c182/panel/")), "");
}

// The GAUGES target takes any simulator's gauges folder and MSFS's package folders; only
// FS98's keeps the work directories, the others' go to the cache folder given.
TEST_F(ConfirmDirectory, LaterSimulatorsFoldersAreTakenAndLeftWithoutWorkDirectories) {
    touch("FS98/gauges/CESSNA_182.AIRSPEED.GAU");
    touch("FSX/SimObjects/Airplanes/x.txt");
    touch("FSX/Gauges/readme.txt");
    touch("P3D/gauges/radio.DLL");
    touch("Community/test-aircraft/manifest.json", "{}");
    touch("Official/OneStore/asobo-base/MANIFEST.JSON", "{}");
    touch("loose/notes.txt");
    touch("Packages/empty/readme.txt");
    const struct {
        const char* folder;
        ConfirmStatus status;
        bool workBeside;
    } cases[] = {
        {"FS98/gauges", ConfirmStatus::Stored, true},
        {"FSX/Gauges", ConfirmStatus::Stored, false},
        {"P3D/gauges", ConfirmStatus::Stored, false},
        {"Community", ConfirmStatus::Stored, false},
        {"Official", ConfirmStatus::Stored, false},
        {"loose", ConfirmStatus::WrongDirectory, false},
        {"Packages", ConfirmStatus::WrongDirectory, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        Directories dirs;
        const std::string selected = applyBrowsedPath(dirs, "GAUGES", at(c.folder));
        EXPECT_EQ(confirmDirectory(dirs, "GAUGES", selected, at("config/cockpix.ini"), at("cache"))
                      .status,
                  c.status);
        if (c.status != ConfirmStatus::Stored)
            continue;
        EXPECT_EQ(dirs.bmpDir, (c.workBeside ? selected : at("cache/")) + "bmp/");
        EXPECT_EQ(std::filesystem::exists(selected + "bmp"), c.workBeside);
        EXPECT_TRUE(std::filesystem::is_directory(dirs.paletteDir));
    }
}

TEST_F(ConfirmDirectory, ASettingsFileThatCannotBeWrittenIsReportedNotHidden) {
    Directories dirs;
    dirs.panelDir = "/kept/panel/";
    touch("blocker");
    const std::string selected = applyBrowsedPath(dirs, "PANEL", at("gauges"));

    const ConfirmResult result =
        confirmDirectory(dirs, "PANEL", selected, at("blocker/cockpix.ini"));

    EXPECT_EQ(result.status, ConfirmStatus::SettingsNotSaved);
    EXPECT_EQ(result.failedPath, at("blocker/cockpix.ini"));
    EXPECT_EQ(dirs.panelDir, at("gauges/")); // in force for this session all the same

    EXPECT_EQ(confirmDirectory(dirs, "SOMETHING", selected, at("config/cockpix.ini")).status,
              ConfirmStatus::WrongDirectory);
}

} // namespace
} // namespace cockpix
