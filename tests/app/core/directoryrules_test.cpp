#include "app/core/directoryrules.h"

#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

TEST(DirectoryRules, SelectedPathEndsWithExactlyOneSlash) {
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/fs98/gauges/"), "/fs98/gauges/");
    EXPECT_EQ(selectedDirectoryPath("/"), "/");
}

TEST(DirectoryRules, WorkDirectoriesFollowBrowsingOnlyForGauges) {
    PanelModel model;
    model.dirs.bmpDir = "/old/bmp/";
    model.dirs.paletteDir = "/old/palette/";

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

TEST(DirectoryRules, MessagesAndTargets) {
    EXPECT_EQ(wrongDirectoryMessage("GAUGES"),
              "You didn't select the right /GAUGES/ directory. Please try again.");
    Directories dirs;
    EXPECT_EQ(targetDirectory(dirs, "GAUGES"), &dirs.gaugesDir);
    EXPECT_EQ(targetDirectory(dirs, "COCKPIX"), &dirs.programDir);
    EXPECT_EQ(targetDirectory(dirs, "PANEL"), &dirs.panelDir);
    EXPECT_EQ(targetDirectory(dirs, "gauges"), nullptr);
    EXPECT_EQ(probeFileName("PANEL"), "");
}

class ConfirmDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("cockpix_dirrules_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "gauges");
        settingsPath = (root / "config" / "cockpix.ini").string();
        model.dirs.panelDir = "/kept/panel/";
    }
    void TearDown() override { fs::remove_all(root); }
    static void touch(const fs::path& path) { std::ofstream(path) << "x"; }
    std::string gauges() const { return (root / "gauges").string() + "/"; }

    fs::path root;
    std::string settingsPath;
    PanelModel model;
};

TEST_F(ConfirmDirectoryTest, AWorkDirectoryThatCannotBeCreatedIsReported) {
    touch(root / "gauges" / "CESSNA_182.AIRSPEED.GAU");
    touch(root / "gauges" / "palette"); // a file where the work directory should go
    model.dirDialogTarget = "GAUGES";
    applyBrowsedPath(model, root.string() + "/gauges");

    const ConfirmResult result = confirmDirectory(model, settingsPath);

    EXPECT_EQ(result.status, ConfirmStatus::WorkDirFailed);
    EXPECT_EQ(result.failedPath, gauges() + "palette/");
    EXPECT_EQ(model.dirs.gaugesDir, gauges()); // already stored and written
    EXPECT_TRUE(fs::exists(settingsPath));
}

TEST_F(ConfirmDirectoryTest, ASettingsFileThatCannotBeWrittenIsReportedNotHidden) {
    touch(root / "blocker");
    model.dirDialogTarget = "PANEL";
    applyBrowsedPath(model, root.string() + "/gauges");

    const std::string unwritable = (root / "blocker" / "cockpix.ini").string();
    const ConfirmResult result = confirmDirectory(model, unwritable);

    EXPECT_EQ(result.status, ConfirmStatus::SettingsNotSaved);
    EXPECT_EQ(result.failedPath, unwritable);
    EXPECT_EQ(model.dirs.panelDir, gauges()); // in force for this session all the same

    model.dirDialogTarget = "SOMETHING";
    EXPECT_EQ(confirmDirectory(model, settingsPath).status, ConfirmStatus::WrongDirectory);
}

} // namespace
} // namespace cockpix
