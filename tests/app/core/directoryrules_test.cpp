#include "app/core/directoryrules.h"

#include "app/core/settings.h"
#include "scratchdir.h"

namespace cockpix {
namespace {

TEST(DirectoryRules, SelectedPathEndsWithExactlyOneSlash) {
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges/"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/"), "/");
}

TEST(DirectoryRules, WorkDirectoriesFollowBrowsingOnlyForGauges) {
    PanelModel model;
    model.dirs.bmpDir = "/old/bmp/";
    model.dirDialogTarget = "PANEL";
    applyBrowsedPath(model, "/fs98/aircraft/c182/panel");
    EXPECT_EQ(model.dirDialogPath, "/fs98/aircraft/c182/panel/");
    EXPECT_EQ(model.dirs.bmpDir, "/old/bmp/");

    model.dirDialogTarget = "GAUGES";
    applyBrowsedPath(model, "/fs98/gauges");
    EXPECT_EQ(model.dirs.bmpDir, "/fs98/gauges/bmp/");
    EXPECT_EQ(model.dirs.paletteDir, "/fs98/gauges/palette/");
    applyBrowsedPath(model, "/");
    EXPECT_EQ(model.dirs.bmpDir, "/bmp/");
    EXPECT_EQ(model.dirs.paletteDir, "/palette/");
}

class ConfirmDirectory : public ScratchDirTest {};

TEST_F(ConfirmDirectory, GaugesNeedTheProbeModuleAndBringTheirWorkDirectories) {
    PanelModel model;
    model.bitmapMissing = 1;
    model.dirDialogTarget = "GAUGES";
    applyBrowsedPath(model, at("gauges"));
    EXPECT_EQ(confirmDirectory(model, at("config/cockpix.ini")).status,
              ConfirmStatus::WrongDirectory);
    EXPECT_EQ(model.dirs.gaugesDir, "");
    EXPECT_FALSE(std::filesystem::exists(at("config/cockpix.ini")));

    touch("gauges/Cessna_182.Airspeed.gau"); // found whatever its case
    EXPECT_EQ(confirmDirectory(model, at("config/cockpix.ini")).status, ConfirmStatus::Stored);
    EXPECT_EQ(model.dirs.gaugesDir, at("gauges/"));
    EXPECT_EQ(model.bitmapMissing, 0);
    EXPECT_TRUE(std::filesystem::is_directory(at("gauges/bmp")));
    EXPECT_TRUE(std::filesystem::is_directory(at("gauges/palette")));

    touch("other/CESSNA_182.AIRSPEED.GAU");
    touch("other/palette"); // a file where the work directory should go
    applyBrowsedPath(model, at("other"));
    const ConfirmResult result = confirmDirectory(model, at("config/cockpix.ini"));
    EXPECT_EQ(result.status, ConfirmStatus::WorkDirFailed);
    EXPECT_EQ(result.failedPath, at("other/palette/"));
    Directories written; // already stored and written all the same
    readSettings(written, at("config/cockpix.ini"));
    EXPECT_EQ(written.gaugesDir, at("other/"));
}

TEST_F(ConfirmDirectory, ASettingsFileThatCannotBeWrittenIsReportedNotHidden) {
    PanelModel model;
    model.dirs.panelDir = "/kept/panel/";
    touch("blocker");
    model.dirDialogTarget = "PANEL";
    applyBrowsedPath(model, at("gauges"));

    const ConfirmResult result = confirmDirectory(model, at("blocker/cockpix.ini"));

    EXPECT_EQ(result.status, ConfirmStatus::SettingsNotSaved);
    EXPECT_EQ(result.failedPath, at("blocker/cockpix.ini"));
    EXPECT_EQ(model.dirs.panelDir, at("gauges/")); // in force for this session all the same

    model.dirDialogTarget = "SOMETHING";
    EXPECT_EQ(confirmDirectory(model, at("config/cockpix.ini")).status,
              ConfirmStatus::WrongDirectory);
}

} // namespace
} // namespace cockpix
