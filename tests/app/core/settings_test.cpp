#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("cockpix_settings_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "cockpix.ini").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void writeRaw(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string readRaw() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path m_dir;
    std::string m_path;
};

Directories sampleDirs() {
    return {"/fs98/gauges/", "/fs98/gauges/bmp/", "/fs98/gauges/palette/",
            "/fs98/aircraft/c182/panel/", "/opt/cockpix/"};
}

TEST_F(SettingsFile, WritesFiveCrLfLinesAndReadsThemBack) {
    ASSERT_TRUE(writeSettings(sampleDirs(), m_path));
    EXPECT_EQ(readRaw(), "/fs98/gauges/\r\n/fs98/gauges/bmp/\r\n/fs98/gauges/palette/\r\n"
                         "/fs98/aircraft/c182/panel/\r\n/opt/cockpix/\r\n");
    Directories read;
    readSettings(read, m_path);
    EXPECT_EQ(read.panelDir, "/fs98/aircraft/c182/panel/");
    EXPECT_EQ(read.programDir, "/opt/cockpix/");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, AcceptsAnyLineEndAndKeepsLinesWhole) {
    for (const std::string& bytes : {std::string("  /g/ \n/b/\n/p/\n/panel/\n/prog/"),
                                     std::string("  /g/ \r/b/\r/p/\r/panel/\r/prog/\r")}) {
        writeRaw(bytes);
        Directories read;
        readSettings(read, m_path);
        EXPECT_EQ(read.gaugesDir, "  /g/ ");
        EXPECT_EQ(read.panelDir, "/panel/");
        EXPECT_EQ(read.programDir, "/prog/");
    }
}

TEST_F(SettingsFile, MissingLinesAndMissingFileKeepPreviousValues) {
    writeRaw("\r\n/b/\r\n/p/\r\n/panel/\r\n");
    Directories read = sampleDirs();
    readSettings(read, m_path);
    EXPECT_EQ(read.gaugesDir, ""); // an empty first line is read as empty: first use
    EXPECT_EQ(read.panelDir, "/panel/");
    EXPECT_EQ(read.programDir, "/opt/cockpix/");

    Directories untouched = sampleDirs();
    readSettings(untouched, (m_dir / "absent.ini").string());
    EXPECT_EQ(untouched.gaugesDir, "/fs98/gauges/");
}

TEST_F(SettingsFile, CreatesItsDirectoryAndFailsCleanlyWhereItCannotWrite) {
    const std::string nested = (m_dir / "a" / "b" / "cockpix.ini").string();
    EXPECT_TRUE(writeSettings(sampleDirs(), nested));
    EXPECT_TRUE(fs::exists(nested));

    // A parent that is a file: neither the directory nor the file can be made.
    EXPECT_FALSE(
        writeSettings(sampleDirs(), (m_dir / "a" / "b" / "cockpix.ini" / "x.ini").string()));
    // A target that is a non-empty directory: the rename fails, no temporary file stays.
    const fs::path taken = m_dir / "taken";
    fs::create_directories(taken / "inside");
    EXPECT_FALSE(writeSettings(sampleDirs(), taken.string()));
    EXPECT_TRUE(fs::is_directory(taken / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

TEST(SettingsPath, FollowsTheEnvironment) {
    const auto restore = [](const char* name, const char* old) {
        if (old)
            ::setenv(name, old, 1);
        else
            ::unsetenv(name);
    };
    const char* oldOwn = std::getenv("COCKPIX_CONFIG_DIR");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedOwn = oldOwn ? oldOwn : "", savedXdg = oldXdg ? oldXdg : "",
                      savedHome = oldHome ? oldHome : "";

    ::setenv("COCKPIX_CONFIG_DIR", "/tmp/own", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    ::setenv("HOME", "/home/pilot", 1);
    EXPECT_EQ(settingsFilePath(), "/tmp/own/cockpix.ini");
    ::unsetenv("COCKPIX_CONFIG_DIR");
    EXPECT_EQ(settingsFilePath(), "/tmp/xdg/cockpix/cockpix.ini");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(settingsFilePath(), "/home/pilot/.config/cockpix/cockpix.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsFilePath(), "/home/pilot/.config/cockpix/cockpix.ini");

    restore("COCKPIX_CONFIG_DIR", oldOwn ? savedOwn.c_str() : nullptr);
    restore("XDG_CONFIG_HOME", oldXdg ? savedXdg.c_str() : nullptr);
    restore("HOME", oldHome ? savedHome.c_str() : nullptr);
}

} // namespace
} // namespace cockpix
