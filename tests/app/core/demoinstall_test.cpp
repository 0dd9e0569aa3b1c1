#include "app/core/demoinstall.h"

#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class DemoInstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One directory per test: ctest runs the tests of this file side by side.
        root = fs::temp_directory_path() /
               ("cockpix_demoinstall_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "build" / "bin");
        fs::create_directories(root / "build" / "demo" / "fs98" / "aircraft" / "demo_cessna" /
                               "panel");
        std::ofstream(root / "build" / "demo" / "fs98" / "aircraft" / "demo_cessna" / "panel" /
                      "panel.cfg")
            << "[Window Titles]\r\n";
        unsetenv("COCKPIX_DEMO_DIR");
    }
    void TearDown() override {
        unsetenv("COCKPIX_DEMO_DIR");
        fs::remove_all(root);
    }
    std::string bin() const { return (root / "build" / "bin").string() + "/"; }
    fs::path root;
};

TEST_F(DemoInstallTest, TheDemoLiesBesideTheProgramDirectoryOrWhereTheEnvironmentSays) {
    EXPECT_EQ(findDemoDir(bin()), fs::canonical(root / "build" / "demo").string() + "/");
    EXPECT_EQ(findDemoDir((root / "build" / "bin").string()),
              fs::canonical(root / "build" / "demo").string() + "/");

    setenv("COCKPIX_DEMO_DIR", (root / "elsewhere").c_str(), 1);
    EXPECT_EQ(findDemoDir(bin()), std::nullopt); // no panel there
    fs::rename(root / "build" / "demo", root / "elsewhere");
    EXPECT_EQ(findDemoDir("/nonexistent/"), fs::canonical(root / "elsewhere").string() + "/");
}

TEST_F(DemoInstallTest, PreparingWritesTheDemosOwnSettingsAndWorkDirectories) {
    const DemoInstall demo = demoInstall((root / "build" / "demo").string(), bin());
    const std::string base = (root / "build" / "demo").string() + "/";
    EXPECT_EQ(demo.dirs.gaugesDir, base + "fs98/gauges/");
    EXPECT_EQ(demo.dirs.bmpDir, base + "fs98/gauges/bmp/");
    EXPECT_EQ(demo.dirs.paletteDir, base + "fs98/gauges/palette/");
    EXPECT_EQ(demo.dirs.panelDir, base + "fs98/aircraft/demo_cessna/panel/");
    EXPECT_EQ(demo.dirs.programDir, bin());
    EXPECT_EQ(demo.panelPath, base + "fs98/aircraft/demo_cessna/panel/panel.cfg");
    EXPECT_EQ(demo.configDir.rfind(base, 0), 0u); // inside the demo folder

    ASSERT_EQ(prepareDemo(demo), "");
    EXPECT_TRUE(fs::is_directory(demo.dirs.bmpDir));
    EXPECT_TRUE(fs::is_directory(demo.dirs.paletteDir));
    Directories read;
    readSettings(read, demo.configDir + "cockpix.ini");
    EXPECT_EQ(read.gaugesDir, demo.dirs.gaugesDir);
    EXPECT_EQ(read.panelDir, demo.dirs.panelDir);
    EXPECT_EQ(read.programDir, bin());
}

TEST_F(DemoInstallTest, AWorkDirectoryThatCannotBeMadeIsReported) {
    const fs::path demoDir = root / "build" / "demo";
    std::ofstream(demoDir / "config") << "a file where the settings directory should be";
    const std::string problem = prepareDemo(demoInstall(demoDir.string(), bin()));
    EXPECT_NE(problem.find("config"), std::string::npos) << problem;
}

} // namespace
} // namespace cockpix
