#include "app/core/demoinstall.h"

#include "base/core/filelookup.h"
#include "base/core/scratchdir.h"
#include "settings/core/settings.h"

#include <cstdlib>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class DemoInstallTest : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        fs::create_directories(at("build/bin"));
        touch("build/demo/fs98/aircraft/demo_cessna/panel/panel.cfg", "[Window Titles]\r\n");
        unsetenv("COCKPIX_DEMO_DIR");
    }
    void TearDown() override {
        unsetenv("COCKPIX_DEMO_DIR");
        ScratchDirTest::TearDown();
    }
    std::string bin() const { return at("build/bin/"); }
    std::string canonical(const std::string& relative) const {
        return fs::canonical(at(relative)).string() + "/";
    }
};

TEST_F(DemoInstallTest, TheDemoLiesBesideTheProgramDirectoryOrWhereTheEnvironmentSays) {
    EXPECT_EQ(findDemoDir(bin()), canonical("build/demo"));
    EXPECT_EQ(findDemoDir(at("build/bin")), canonical("build/demo"));

    setenv("COCKPIX_DEMO_DIR", at("elsewhere").c_str(), 1);
    EXPECT_EQ(findDemoDir(bin()), std::nullopt); // no panel there
    fs::rename(at("build/demo"), at("elsewhere"));
    EXPECT_EQ(findDemoDir("/nonexistent/"), canonical("elsewhere"));
}

TEST_F(DemoInstallTest, AnInstalledDemoIsFoundInThePrefixsShare) {
    touch("usr/share/cockpix/demo/fs98/aircraft/demo_cessna/panel/panel.cfg", "[Window Titles]");
    fs::create_directories(at("usr/bin"));
    EXPECT_EQ(findDemoDir(at("usr/bin/")), canonical("usr/share/cockpix/demo"));
    EXPECT_EQ(findDemoDir(bin()), canonical("build/demo")); // a build's own demo first
}

// The installed demo is copied once into the user's folder and run from there; a build's demo
// is run where it lies.
TEST_F(DemoInstallTest, TheInstalledDemoRunsFromTheUsersOwnCopy) {
    const std::string shipped = at("usr/share/cockpix/demo/");
    touch("usr/share/cockpix/demo/fs98/aircraft/demo_cessna/panel/panel.cfg", "[Window Titles]");
    touch("usr/share/cockpix/demo/fs98/gauges/demo.gau", "GAU");
    touch("usr/share/cockpix/demo/config/cockpix.ini", "old settings");
    const std::string user = at("home/.local/share/cockpix/demo/");

    EXPECT_EQ(writableDemoDir(at("build/demo/"), bin(), user).dir, at("build/demo/"));
    const DemoPlace first = writableDemoDir(shipped, at("usr/bin/"), user);
    ASSERT_EQ(first.problem, "");
    EXPECT_EQ(first.dir, user);
    EXPECT_EQ(readWholeFile(user + "fs98/gauges/demo.gau").value_or(""), "GAU");
    EXPECT_FALSE(fs::exists(user + "config")); // prepareDemo writes the settings anew

    // The user's saves in the copy survive the next start.
    touch("home/.local/share/cockpix/demo/fs98/aircraft/demo_cessna/panel/panel.cfg", "saved");
    EXPECT_EQ(writableDemoDir(shipped, at("usr/bin/"), user).dir, user);
    EXPECT_EQ(readWholeFile(user + "fs98/aircraft/demo_cessna/panel/panel.cfg").value_or(""),
              "saved");

    // A folder of that name without the demo is the user's: left alone, and said so.
    const std::string other = at("home/other/demo/");
    touch("home/other/demo/notes.txt", "mine");
    const DemoPlace refused = writableDemoDir(shipped, at("usr/bin/"), other);
    EXPECT_EQ(refused.dir, "");
    EXPECT_NE(refused.problem.find("holds no demo"), std::string::npos) << refused.problem;
    EXPECT_EQ(readWholeFile(other + "notes.txt").value_or(""), "mine");
    EXPECT_FALSE(writableDemoDir(shipped, at("usr/bin/"), "").problem.empty());
}

TEST_F(DemoInstallTest, PreparingWritesTheDemosOwnSettingsAndWorkDirectories) {
    const DemoInstall demo = demoInstall(at("build/demo"), bin());
    const std::string base = at("build/demo/");
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

    fs::remove_all(demo.configDir); // a file where the settings directory should be
    touch("build/demo/config");
    const std::string problem = prepareDemo(demo);
    EXPECT_NE(problem.find("config"), std::string::npos) << problem;
}

} // namespace
} // namespace cockpix
