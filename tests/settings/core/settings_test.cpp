#include "settings/core/settings.h"

#include "base/core/scratchdir.h"

#include <cstdlib>
#include <iterator>
#include <optional>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ScratchDirTest {
protected:
    std::string path() const { return at("cockpix.ini"); }
    long filesInRoot() const {
        return std::distance(fs::directory_iterator(root), fs::directory_iterator());
    }
};

Directories sampleDirs() {
    return {"/fs98/gauges/", "/fs98/gauges/bmp/", "/fs98/gauges/palette/",
            "/fs98/aircraft/c182/panel/", "/opt/cockpix/"};
}

TEST_F(SettingsFile, WritesFiveCrLfLinesAndReadsThemBack) {
    ASSERT_TRUE(writeSettings(sampleDirs(), path()));
    std::ifstream in(path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "/fs98/gauges/\r\n/fs98/gauges/bmp/\r\n/fs98/gauges/palette/\r\n"
                     "/fs98/aircraft/c182/panel/\r\n/opt/cockpix/\r\n");
    Directories read;
    readSettings(read, path());
    EXPECT_EQ(read.panelDir, "/fs98/aircraft/c182/panel/");
    EXPECT_EQ(read.programDir, "/opt/cockpix/");
    EXPECT_EQ(filesInRoot(), 1); // no temporary file is left beside it
}

// Writing the lines the file already holds leaves the file itself alone (the same inode);
// other lines replace it.
TEST_F(SettingsFile, UnchangedLinesAreNotWrittenAgain) {
    ASSERT_TRUE(writeSettings(sampleDirs(), path()));
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(path().c_str(), &before), 0);
    ASSERT_TRUE(writeSettings(sampleDirs(), path()));
    ASSERT_EQ(::stat(path().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    Directories other = sampleDirs();
    other.panelDir = "/fs98/aircraft/other/panel/";
    ASSERT_TRUE(writeSettings(other, path()));
    ASSERT_EQ(::stat(path().c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    Directories read;
    readSettings(read, path());
    EXPECT_EQ(read.panelDir, other.panelDir);
}

TEST_F(SettingsFile, AcceptsAnyLineEndKeepsLinesWholeAndKeepsWhatIsMissing) {
    const struct {
        std::string bytes, gauges, panel, program;
    } rows[] = {
        {"  /g/ \n/b/\n/p/\n/panel/\n/prog/", "  /g/ ", "/panel/", "/prog/"},
        {"  /g/ \r/b/\r/p/\r/panel/\r/prog/\r", "  /g/ ", "/panel/", "/prog/"},
        // An empty first line is read as empty (first use); a missing last line keeps its value.
        {"\r\n/b/\r\n/p/\r\n/panel/\r\n", "", "/panel/", "/opt/cockpix/"},
    };
    for (const auto& row : rows) {
        touch("cockpix.ini", row.bytes);
        Directories read = sampleDirs();
        readSettings(read, path());
        EXPECT_EQ(std::tie(read.gaugesDir, read.panelDir, read.programDir),
                  std::tie(row.gauges, row.panel, row.program));
    }
    Directories untouched = sampleDirs();
    readSettings(untouched, at("absent.ini"));
    EXPECT_EQ(untouched.gaugesDir, "/fs98/gauges/");
}

TEST_F(SettingsFile, CreatesItsDirectoryAndFailsCleanlyWhereItCannotWrite) {
    EXPECT_TRUE(writeSettings(sampleDirs(), at("a/b/cockpix.ini")));
    EXPECT_TRUE(fs::exists(at("a/b/cockpix.ini")));
    // A parent that is a file: neither the directory nor the file can be made.
    EXPECT_FALSE(writeSettings(sampleDirs(), at("a/b/cockpix.ini/x.ini")));
    // A target that is a non-empty directory: the rename fails, no temporary file stays.
    fs::create_directories(at("taken/inside"));
    EXPECT_FALSE(writeSettings(sampleDirs(), at("taken")));
    EXPECT_TRUE(fs::is_directory(at("taken/inside")));
    EXPECT_EQ(filesInRoot(), 2);
}

TEST(SettingsPath, FollowsTheEnvironment) {
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"COCKPIX_CONFIG_DIR", "XDG_CONFIG_HOME", "HOME"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
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
    for (const auto& [name, value] : saved)
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

} // namespace
} // namespace cockpix
