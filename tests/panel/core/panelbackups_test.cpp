// Listing and restoring the numbered backups of panel.cfg: nothing is ever lost, and a
// failed restore changes nothing.

#include "panel/core/panelbackups.h"
#include "panel/core/panelsave.h"

#include "base/core/scratchdir.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;
using test::fileText;

class PanelBackups : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        fs::permissions(root, fs::perms(0755));
        fs::create_directories(root / "panel");
        panelDir = at("panel") + "/";
    }
    std::string listing() const { return test::listingText(panelDir); }
    std::string panelDir;
};

TEST_F(PanelBackups, ListsTheBackupsTheSaveNamesInNumberOrder) {
    for (const char* name : {"panel.c10", "panel.c2", "panel.c1", "panel.cfg", "PANEL.C3",
                             "panel.c0", "panel.c04", "panel.c5x", "other.c6", "panel.c"})
        touch(std::string("panel/") + name, name);
    touch("panel/panel.c7/inside", "a directory named like a backup");
    std::vector<int> numbers;
    for (const PanelBackup& backup : listPanelBackups(panelDir))
        numbers.push_back(backup.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 10}));
    const PanelBackup tenth = listPanelBackups(panelDir).back();
    EXPECT_EQ(tenth.path, panelDir + "panel.c10");
    EXPECT_EQ(tenth.size, 9u);
    EXPECT_GT(tenth.modified, 1'600'000'000);
    EXPECT_TRUE(listPanelBackups(at("nowhere/")).empty());
}

// The list of backups tells what each holds, for panels of FS2000 and later too, which the
// FS98 reader would call broken.
TEST_F(PanelBackups, ABackupOfAFs2kPanelShowsItsWindowsAndGauges) {
    touch("panel/panel.c1", "[Window Titles]\r\nWindow00=Main\r\n[Window00]\r\n"
                            "Background_color=0,0,0\r\ngauge00=a!b, 1, 2\r\n"
                            "[Vcockpit01]\r\ngauge00=c!d, 1, 2\r\ngauge01=c!e, 3, 4\r\n");
    const BackupContent content = readBackupContent(listPanelBackups(panelDir).front());
    EXPECT_FALSE(content.error);
    EXPECT_EQ(content.format, PanelFormat::Fs2k);
    EXPECT_EQ(content.windowCount, 2);
    EXPECT_EQ(content.gaugeCount, 3);
}

TEST_F(PanelBackups, RestoreKeepsTheCurrentFileAsTheNextBackupFirst) {
    const struct {
        std::string before;
        int number;
        bool restored;
        std::string after, message;
    } rows[] = {
        {"panel.c1:one panel.c2:two panel.cfg:now", 1, true,
         "panel.c1:one panel.c2:two panel.c3:now panel.cfg:one",
         "Previous 'panel.cfg' was saved as 'panel.c3'\n'panel.c1' was restored as '%panel.cfg'."},
        // No panel.cfg any more: the backup is simply put back.
        {"panel.c4:four", 4, true, "panel.c4:four panel.cfg:four",
         "'panel.c4' was restored as '%panel.cfg'."},
        // panel.cfg in another case is the one FS98 reads, and the one replaced.
        {"PANEL.CFG:now panel.c1:one", 1, true, "PANEL.CFG:one panel.c1:one panel.c2:now", ""},
        {"panel.cfg:now", 3, false, "panel.cfg:now", "There is no backup 'panel.c3' in '%'."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        fs::remove_all(panelDir);
        fs::create_directories(panelDir);
        std::istringstream files(row.before);
        for (std::string file; files >> file;)
            touch("panel/" + file.substr(0, file.find(':')), file.substr(file.find(':') + 1));
        const RestoreResult result = restorePanelBackup(panelDir, row.number);
        EXPECT_EQ(result.restored, row.restored);
        EXPECT_EQ(listing(), row.after);
        std::string message = row.message;
        if (const std::size_t at = message.find('%'); at != npos)
            message.replace(at, 1, panelDir);
        if (!message.empty()) {
            EXPECT_EQ(result.message.bytes().substr(0, message.size()), message);
        }
    }
}

// Runs the restore in a child process, as an ordinary user when the tests run as root (root
// writes into read-only directories). 0: not restored, the message holds `says`; 1: not
// restored, another message; 2: restored; -1: it could not be run so.
int restoreAsOrdinaryUser(const std::string& panelDir, int number, const std::string& says) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        const RestoreResult result = restorePanelBackup(panelDir, number);
        ::_exit(result.restored ? 2 : result.message.bytes().find(says) == npos);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) < 3 ? WEXITSTATUS(status) : -1;
}

TEST_F(PanelBackups, ARestoreIntoAReadOnlyDirectoryFailsAndChangesNothing) {
    touch("panel/panel.cfg", "now");
    touch("panel/panel.c1", "one");
    fs::permissions(panelDir, fs::perms(0555));
    const int outcome = restoreAsOrdinaryUser(
        panelDir, 1, "could not be written: Permission denied.\nNothing was restored");
    fs::permissions(panelDir, fs::perms::owner_all, fs::perm_options::add);
    if (outcome < 0)
        GTEST_SKIP() << "cannot run the restore as an ordinary user here";
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(listing(), "panel.c1:one panel.cfg:now");
}

TEST_F(PanelBackups, ARestoreThatCannotReplacePanelCfgTakesItsNewBackupAway) {
    // A directory named panel.cfg cannot be replaced by a file.
    touch("panel/panel.cfg/inside", "x");
    touch("panel/panel.c1", "one");
    const RestoreResult result = restorePanelBackup(panelDir, 1);
    EXPECT_FALSE(result.restored);
    EXPECT_NE(result.message.bytes().find("Nothing was restored"), npos);
    EXPECT_EQ(listing(), "panel.c1:one panel.cfg:<dir>");
}

TEST_F(PanelBackups, TheRestoredFileKeepsThePermissionsOfTheOneItReplaces) {
    touch("panel/panel.cfg", "now");
    touch("panel/panel.c1", "one");
    fs::permissions(panelDir + "panel.cfg", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(restorePanelBackup(panelDir, 1).restored);
    EXPECT_EQ(fs::status(panelDir + "panel.cfg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
} // namespace cockpix
