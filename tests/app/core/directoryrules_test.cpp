#include "app/core/directoryrules.h"

#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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
    std::string settingsText() const {
        std::ifstream in(settingsPath, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
    std::string settingsPath;
    PanelModel model;
};

TEST_F(ConfirmDirectoryTest, GaugesWithoutTheProbeModuleChangesNothing) {
    model.dirDialogTarget = "GAUGES";
    applyBrowsedPath(model, root.string() + "/gauges");
    model.bitmapMissing = 1;

    const ConfirmResult result = confirmDirectory(model, settingsPath);

    EXPECT_EQ(result.status, ConfirmStatus::WrongDirectory);
    EXPECT_EQ(model.dirs.gaugesDir, "");
    EXPECT_EQ(model.bitmapMissing, 1);
    EXPECT_FALSE(fs::exists(settingsPath));
    EXPECT_FALSE(fs::exists(root / "gauges" / "bmp"));
    EXPECT_FALSE(fs::exists(root / "gauges" / "palette"));
}

TEST_F(ConfirmDirectoryTest, GaugesFindsTheProbeWhateverItsCaseAndCreatesWorkDirectories) {
    touch(root / "gauges" / "Cessna_182.Airspeed.gau");
    fs::create_directory(root / "gauges" / "palette"); // an existing one is fine
    model.dirDialogTarget = "GAUGES";
    applyBrowsedPath(model, root.string() + "/gauges");
    model.bitmapMissing = 1;

    const ConfirmResult result = confirmDirectory(model, settingsPath);

    EXPECT_EQ(result.status, ConfirmStatus::Stored);
    EXPECT_EQ(model.dirs.gaugesDir, gauges());
    EXPECT_EQ(model.dirs.bmpDir, gauges() + "bmp/");
    EXPECT_EQ(model.dirs.paletteDir, gauges() + "palette/");
    EXPECT_EQ(model.bitmapMissing, 0);
    EXPECT_TRUE(fs::is_directory(root / "gauges" / "bmp"));
    EXPECT_TRUE(fs::is_directory(root / "gauges" / "palette"));

    Directories reread;
    readSettings(reread, settingsPath);
    EXPECT_EQ(reread.gaugesDir, gauges());
    EXPECT_EQ(reread.bmpDir, gauges() + "bmp/");
    EXPECT_EQ(reread.panelDir, "/kept/panel/");
}

TEST_F(ConfirmDirectoryTest, ProgramDirectoryNeedsTheExecutable) {
    model.dirDialogTarget = "COCKPIX";
    applyBrowsedPath(model, root.string());
    EXPECT_EQ(confirmDirectory(model, settingsPath).status, ConfirmStatus::WrongDirectory);
    EXPECT_EQ(model.dirs.programDir, "");

    touch(root / "cockpix");
    EXPECT_EQ(confirmDirectory(model, settingsPath).status, ConfirmStatus::Stored);
    EXPECT_EQ(model.dirs.programDir, root.string() + "/");
}

TEST_F(ConfirmDirectoryTest, PanelAcceptsAnyDirectory) {
    model.dirDialogTarget = "PANEL";
    applyBrowsedPath(model, root.string() + "/gauges");
    EXPECT_EQ(confirmDirectory(model, settingsPath).status, ConfirmStatus::Stored);
    EXPECT_EQ(model.dirs.panelDir, gauges());
    EXPECT_NE(settingsText().find(gauges() + "\r\n"), std::string::npos);
}

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

} // namespace
} // namespace cockpix
