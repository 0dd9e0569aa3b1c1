#include "settings/core/desktopstate.h"

#include "base/core/scratchdir.h"

#include <iterator>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

using DesktopStateFile = ScratchDirTest;

std::vector<std::string> paths(int first, int last) {
    std::vector<std::string> list;
    for (int i = first; i >= last; --i)
        list.push_back("/p" + std::to_string(i) + "/panel.cfg");
    return list;
}

// The newest first, no repeats, eight at most; paths a line cannot hold are not kept.
TEST(DesktopState, RecentListRules) {
    const struct {
        std::vector<std::string> before;
        std::string added;
        std::vector<std::string> after;
    } rows[] = {
        {{}, "/a/panel.cfg", {"/a/panel.cfg"}},
        {{"/a", "/b", "/c"}, "/c", {"/c", "/a", "/b"}}, // moved up, not repeated
        {{"/a", "/b"}, "/a", {"/a", "/b"}},
        {paths(8, 1), "/p9/panel.cfg", paths(9, 2)}, // the oldest falls off
        {{"/a"}, "", {"/a"}},
        {{"/a"}, "/new\nline/panel.cfg", {"/a"}},
        {{"/a"}, "/old\rmac/panel.cfg", {"/a"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.added);
        DesktopState state{row.before, {}, {}};
        addRecentFile(state, row.added);
        EXPECT_EQ(state.recentFiles, row.after);
    }
    DesktopState state{{"/a", "/b", "/c"}, {}, {}};
    removeRecentFile(state, "/b");
    removeRecentFile(state, "/not/there");
    EXPECT_EQ(state.recentFiles, (std::vector<std::string>{"/a", "/c"}));
}

TEST(DesktopState, TextRoundTripAndFilesEditedByHand) {
    const DesktopState state{{"/fs98/a/panel.cfg", "/fs98/b c/panel.cfg"}, "AdnQywADAAAAAA==", {}};
    const std::string text = desktopStateText(state);
    EXPECT_EQ(text, "geometry=AdnQywADAAAAAA==\r\nrecent=/fs98/a/panel.cfg\r\n"
                    "recent=/fs98/b c/panel.cfg\r\n");
    EXPECT_EQ(parseDesktopState(text), state);
    EXPECT_EQ(desktopStateText(DesktopState{}), "");

    const struct {
        std::string text;
        DesktopState expected;
    } rows[] = {
        {"", {}},
        {"recent=/a\nrecent=/b\n", {{"/a", "/b"}, "", {}}}, // any line end
        {"# mine\nfuture=1\nrecent=/a\rgeometry=xyz", {{"/a"}, "xyz", {}}},
        {"recent=/a\nrecent=/b\nrecent=/a\n", {{"/a", "/b"}, "", {}}}, // the first one counts
        {"recent=\nrecent=/a\n", {{"/a"}, "", {}}},
        {"RECENT=/a\n recent=/b\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parseDesktopState(row.text), row.expected);
    }
    // The snapping options: written only where they differ from the defaults, read back
    // whole; a value that is not one of theirs keeps the default.
    DesktopState snapping;
    snapping.snap = {true, 25, false};
    snapping.standardKeys = true; // and the desktop keys, as the snapping
    EXPECT_EQ(desktopStateText(snapping),
              "snapgrid=1\r\ngridstep=25\r\nsnapgauges=0\r\nstandardkeys=1\r\n");
    EXPECT_EQ(parseDesktopState(desktopStateText(snapping)), snapping);
    for (const char* keys : {"standardkeys=0\n", "standardkeys=yes\n", "StandardKeys=1\n"})
        EXPECT_FALSE(parseDesktopState(keys).standardKeys) << keys;
    const struct {
        std::string text;
        SnapOptions expected;
    } snapRows[] = {
        {"snapgrid=1\ngridstep= 1000 \n", {true, 1000, true}},
        {"gridstep=0\nsnapgrid=yes\nsnapgauges=2\n", {}},
        {"gridstep=1001\n", {}},
        {"gridstep=12.5\n", {}},
        {"gridstep=-8\nsnapgauges=0\n", {false, kDefaultGridStep, false}},
    };
    for (const auto& row : snapRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parseDesktopState(row.text).snap, row.expected);
    }
    for (const char* bad : {"", " ", "0", "1001", "8x", "x8", "1e2", "+8", "99999999999"})
        EXPECT_EQ(parseGridStep(bad), std::nullopt) << bad;
    EXPECT_EQ(parseGridStep(" 1 "), 1);
    EXPECT_EQ(parseGridStep("\t1000"), 1000);

    std::string many;
    for (int i = 1; i <= 20; ++i)
        many += "recent=/p" + std::to_string(i) + "\r\n";
    EXPECT_EQ(parseDesktopState(many).recentFiles.size(), kMaxRecentFiles);
    EXPECT_EQ(parseDesktopState(many).recentFiles.front(), "/p1");
}

TEST_F(DesktopStateFile, WrittenWholeAndReadBackDroppingVanishedFiles) {
    const std::string file = at("config/cockpix-desktop.ini");
    EXPECT_EQ(readDesktopState(file), DesktopState{}); // none yet
    const std::string kept = touch("a/panel.cfg"), gone = touch("b/panel.cfg");
    const DesktopState state{{gone, kept}, "geo", {}};
    ASSERT_TRUE(writeDesktopState(state, file)); // creates the folder
    EXPECT_EQ(std::distance(fs::directory_iterator(at("config")), fs::directory_iterator()), 1);
    EXPECT_EQ(readDesktopState(file), state);

    fs::remove(gone);
    DesktopState read = readDesktopState(file);
    EXPECT_TRUE(dropMissingRecentFiles(read));
    EXPECT_EQ(read.recentFiles, std::vector<std::string>{kept});
    EXPECT_FALSE(dropMissingRecentFiles(read));
    fs::create_directories(at("dir.cfg")); // a folder is no panel file
    read.recentFiles.push_back(at("dir.cfg"));
    EXPECT_TRUE(dropMissingRecentFiles(read));

    touch("blocked", "a file where the folder should be");
    EXPECT_FALSE(writeDesktopState(state, at("blocked/cockpix-desktop.ini")));
    EXPECT_FALSE(writeDesktopState(state, ""));
}

} // namespace
} // namespace cockpix
