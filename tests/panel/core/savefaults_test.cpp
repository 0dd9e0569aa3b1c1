// A save can fail at any system call: a full disk, a refused permission, an I/O error, a
// write cut short. Whatever fails, panel.cfg and every backup keep their bytes and the user
// is told the save failed; and a save killed at any moment leaves a whole panel.cfg.

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "base/core/scratchdir.h"
#include "panel/core/fs98/writer.h"
#include "settings/core/settings.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

// The real calls, except the one numbered failAt (counting from 0), which fails with error;
// or, with failAfterBytes, the write that would pass that many bytes in all, which writes up
// to it and then fails with ENOSPC, as a full disk does.
class FaultyCalls : public FileSystemCalls {
public:
    int failAt = -1;
    long failAfterBytes = -1;
    int error = EIO;
    int calls = 0;
    long bytes = 0;
    std::vector<std::string> names; // the kind of each call made, in order

    int open(const std::string& path, int flags, unsigned mode) override {
        return step("open") ? FileSystemCalls::open(path, flags, mode) : -1;
    }
    long write(int fd, const char* data, std::size_t size) override {
        if (!step("write"))
            return -1;
        if (failAfterBytes >= 0 && bytes + long(size) > failAfterBytes) {
            const long room = failAfterBytes - bytes;
            if (room <= 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::size_t(room); // a short write; the next one finds the disk full
        }
        const long written = FileSystemCalls::write(fd, data, size);
        bytes += written > 0 ? written : 0;
        return written;
    }
    int fchmod(int fd, unsigned mode) override {
        return step("fchmod") ? FileSystemCalls::fchmod(fd, mode) : -1;
    }
    int fsync(int fd) override { return step("fsync") ? FileSystemCalls::fsync(fd) : -1; }
    int close(int fd) override {
        const int result = FileSystemCalls::close(fd); // the descriptor goes in any case
        return step("close") ? result : -1;
    }
    int rename(const std::string& from, const std::string& to) override {
        return step("rename") ? FileSystemCalls::rename(from, to) : -1;
    }
    int renameNoReplace(const std::string& from, const std::string& to) override {
        return step("renameNoReplace") ? FileSystemCalls::renameNoReplace(from, to) : -1;
    }
    int link(const std::string& from, const std::string& to) override {
        return step("link") ? FileSystemCalls::link(from, to) : -1;
    }
    int unlink(const std::string& path) override {
        return step("unlink") ? FileSystemCalls::unlink(path) : -1;
    }
    int syncDirectory(const std::string& directory) override {
        return step("syncDirectory") ? FileSystemCalls::syncDirectory(directory) : -1;
    }

protected:
    virtual bool step(const char* name) {
        names.emplace_back(name);
        if (calls++ != failAt)
            return true;
        errno = error;
        return false;
    }
};

// Puts the calls in place for one scope.
struct UsingCalls {
    explicit UsingCalls(FileSystemCalls& calls) { useFileSystemCalls(&calls); }
    ~UsingCalls() { useFileSystemCalls(nullptr); }
};

fs98::Panel onePanel(const std::string& title) {
    fs98::Panel panel;
    panel.windowCount = 1;
    panel.window(0).windowTitle = title;
    panel.window(0).windowBitmap = "main";
    panel.window(0).windowSizeMm = 640;
    return panel;
}

using Listing = std::map<std::string, std::string>; // name: bytes

class SaveFaults : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        panelDir = at("panel") + "/";
    }
    // The old panel.cfg, two backups and a note beside them.
    void layOut() {
        fs::remove_all(at("panel"));
        touch("panel/panel.cfg", "old panel");
        touch("panel/panel.c1", "first backup");
        touch("panel/panel.c3", "third backup");
        touch("panel/notes.txt", "notes");
    }
    Listing listing() const { return test::filesIn(panelDir); }
    SaveResult save(const std::string& output) {
        return fs98::savePanel(panel, {panelDir, panelDir + output, {}, {}});
    }
    // After a failed save everything is as before; after a successful one the new text is
    // in place and, when it replaced panel.cfg, exactly one backup more holds the old one.
    void expectWholeOutcome(const SaveResult& result, const Listing& before,
                            const std::string& output, const std::string& where) {
        const Listing after = listing();
        if (!result.written) {
            EXPECT_EQ(result.message.bytes().find("correctly recorded"), std::string::npos)
                << where;
            EXPECT_EQ(after, before) << where;
            return;
        }
        Listing expected = before;
        expected[output] = newText;
        if (result.backupMade)
            expected["panel.c" + std::to_string(result.backupNumber)] = before.at("panel.cfg");
        EXPECT_EQ(result.backupMade, output == "panel.cfg") << where;
        EXPECT_EQ(after, expected) << where;
        EXPECT_NE(result.message.bytes().find("correctly recorded"), std::string::npos) << where;
    }

    std::string panelDir;
    fs98::Panel panel = onePanel("New");
    std::string newText = fs98::panelFileText(panel, {}, 0, nullptr);
};

// Every call of a save fails once, with each error, for both kinds of save (over panel.cfg,
// and under another name, which leaves panel.cfg alone). Only a failed flush of the directory,
// after the new file is in place, leaves the save a success.
TEST_F(SaveFaults, EveryFailingStepLeavesEveryFileWhole) {
    for (const std::string output : {"panel.cfg", "copy.cfg"}) {
        layOut();
        FaultyCalls counting;
        {
            const UsingCalls using_(counting);
            ASSERT_TRUE(save(output).written);
        }
        const std::vector<std::string> steps = counting.names;
        ASSERT_GE(steps.size(), 6u);
        for (const int error : {ENOSPC, EACCES, EIO}) {
            for (std::size_t k = 0; k < steps.size(); ++k) {
                layOut();
                const Listing before = listing();
                FaultyCalls faulty;
                faulty.failAt = int(k);
                faulty.error = error;
                SaveResult result;
                {
                    const UsingCalls using_(faulty);
                    result = save(output);
                }
                const std::string where = output + ": " + steps[k] + " #" + std::to_string(k) +
                                          " fails with " + std::strerror(error);
                EXPECT_EQ(result.written, steps[k] == "syncDirectory") << where;
                expectWholeOutcome(result, before, output, where);
            }
        }
    }
}

// The disk fills up after every 512th byte in turn (a short write, then ENOSPC).
TEST_F(SaveFaults, AFullDiskAtAnyByteLeavesEveryFileWhole) {
    panel = onePanel(std::string(3000, 'T'));
    newText = fs98::panelFileText(panel, {}, 0, nullptr);
    for (const std::string output : {"panel.cfg", "copy.cfg"}) {
        long total = 0;
        {
            layOut();
            FaultyCalls counting;
            const UsingCalls using_(counting);
            ASSERT_TRUE(save(output).written);
            total = counting.bytes;
        }
        ASSERT_GT(total, 3000);
        for (long bytes = 0; bytes < total; bytes += 512) {
            layOut();
            const Listing before = listing();
            FaultyCalls faulty;
            faulty.failAfterBytes = bytes;
            SaveResult result;
            {
                const UsingCalls using_(faulty);
                result = save(output);
            }
            EXPECT_FALSE(result.written) << output << " after " << bytes << " bytes";
            expectWholeOutcome(result, before, output,
                               output + " after " + std::to_string(bytes) + " bytes");
        }
    }
}

// The settings file goes through the same steps: a failed write keeps the old five lines.
TEST_F(SaveFaults, TheSettingsFileKeepsItsLinesWhateverFails) {
    const std::string path = at("config/cockpix.ini");
    const Directories old{"/g/", "/g/bmp/", "/g/palette/", "/p/", "/c/"};
    ASSERT_TRUE(writeSettings(old, path));
    const std::string oldBytes = *readWholeFile(path);
    Directories changed = old;
    changed.panelDir = "/elsewhere/";
    FaultyCalls counting;
    {
        const UsingCalls using_(counting);
        ASSERT_TRUE(writeSettings(changed, path));
    }
    ASSERT_TRUE(writeSettings(old, path));
    for (std::size_t k = 0; k < counting.names.size(); ++k) {
        FaultyCalls faulty;
        faulty.failAt = int(k);
        bool written = false;
        {
            const UsingCalls using_(faulty);
            written = writeSettings(changed, path);
        }
        const std::string bytes = *readWholeFile(path);
        if (counting.names[k] == "syncDirectory") {
            EXPECT_TRUE(written);
            ASSERT_TRUE(writeSettings(old, path));
            continue;
        }
        EXPECT_FALSE(written) << counting.names[k];
        EXPECT_EQ(bytes, oldBytes) << counting.names[k];
        EXPECT_EQ(std::distance(fs::directory_iterator(at("config")), fs::directory_iterator()), 1)
            << "a temporary file was left behind";
    }
}

// The calls of a save that the kill test runs: no flushing (the test is about the order of
// the steps, not about the disk), and a SIGKILL before the call numbered killAt.
class KilledCalls : public FaultyCalls {
public:
    int killAt = -1;

    long write(int fd, const char* data, std::size_t size) override {
        // Half the bytes at a time, so that a kill can fall inside the file's writing.
        return FaultyCalls::write(fd, data, size > 1 ? size / 2 : size);
    }
    int fsync(int) override { return step("fsync") ? 0 : -1; }
    int syncDirectory(const std::string&) override { return step("syncDirectory") ? 0 : -1; }

protected:
    bool step(const char*) override {
        if (calls++ == killAt)
            ::raise(SIGKILL);
        return true;
    }
};

// A save in a child process killed at a random moment, hundreds of times (before a random
// system call of its saves, or after a random delay): panel.cfg always holds one whole text,
// every backup too, and no backup ever goes or changes.
TEST_F(SaveFaults, ASaveKilledAtAnyMomentLeavesAWholePanel) {
    const fs98::Panel versions[] = {onePanel("Version A"), onePanel("Version B")};
    std::set<std::string> texts{"old panel"};
    for (const fs98::Panel& version : versions)
        texts.insert(fs98::panelFileText(version, {}, 0, nullptr));
    fs::create_directories(at("panel"));
    touch("panel/panel.cfg", "old panel");
    std::mt19937 random(7);
    std::map<std::string, std::string> backups;
    for (int round = 0; round < 200; ++round) {
        const bool byCall = round % 3 != 0;
        const int killAt = int(random() % 40);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            KilledCalls calls;
            calls.killAt = byCall ? killAt : -1;
            useFileSystemCalls(&calls);
            for (int k = 0; k < 4; ++k)
                fs98::savePanel(versions[k % 2], {panelDir, panelDir + "panel.cfg", {}, {}});
            ::_exit(0);
        }
        if (!byCall) {
            ::usleep(useconds_t(random() % 3000));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::optional<std::string> current = readWholeFile(panelDir + "panel.cfg");
        ASSERT_TRUE(current.has_value()) << "round " << round << ": no panel.cfg";
        ASSERT_TRUE(texts.count(*current)) << "round " << round << ": a mixed panel.cfg";
        for (const auto& entry : fs::directory_iterator(panelDir)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("panel.c", 0) != 0 || name == "panel.cfg")
                continue;
            const std::string bytes = *readWholeFile(entry.path().string());
            ASSERT_TRUE(texts.count(bytes)) << name << " is not a whole panel";
            backups.emplace(name, bytes);
        }
        for (const auto& [name, bytes] : backups)
            ASSERT_EQ(readWholeFile(panelDir + name), bytes) << name << " changed or went";
    }
    // The temporary files of killed saves do not pile up.
    fs98::savePanel(versions[0], {panelDir, panelDir + "panel.cfg", {}, {}});
    int temporary = 0;
    for (const auto& entry : fs::directory_iterator(panelDir))
        temporary += entry.path().filename().string().rfind(".panel.cfg", 0) == 0;
    EXPECT_EQ(temporary, 0);
}

} // namespace
} // namespace cockpix
