// Black-box tests of "cockpix-cli resave": Open, then Save with the default palette options.

#include "base/core/scratchdir.h"
#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using cockpix::test::CliRun;
using cockpix::test::fileText;
using cockpix::test::npos;

// A copy of the sample aircraft in a fresh directory, and the tool run inside it with its
// own (empty) settings directory.
class ResaveCommand : public cockpix::ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        fs::copy(fs::path(COCKPIX_FIXTURES_DIR) / "../../samples/fs98", root / "fs98",
                 fs::copy_options::recursive);
        fs::create_directory(root / "config");
        cessna = root / "fs98/aircraft/sample_cessna/panel";
        original = fileText(cessna / "panel.cfg");
    }
    CliRun resave(std::vector<std::string> args) {
        args.insert(args.begin(), "resave");
        return cockpix::test::runCli(root, args);
    }
    // Every file of the cessna's panel directory with its bytes.
    std::map<std::string, std::string> cessnaFiles() { return cockpix::test::filesIn(cessna); }

    fs::path cessna;
    std::string original;
};

TEST_F(ResaveCommand, SavesTheSampleWithABackupAndIsStableOnTheSecondSave) {
    const CliRun first = resave({"fs98/aircraft/sample_cessna/panel/panel.cfg"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "Previous 'panel.cfg' was saved as 'panel.c1'\nThe new '" +
                             (cessna / "panel.cfg").string() +
                             "' was correctly recorded to disk.\n");
    EXPECT_EQ(first.err, "");
    const std::string written = fileText(cessna / "panel.cfg");
    EXPECT_NE(written.find("\r\ngauge01=cessna_182.attitude, 192, 110, 100\r\n"), npos);

    const CliRun second = resave({(cessna / "panel.cfg").string()});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("'panel.c2'"), npos);
    EXPECT_EQ(fileText(cessna / "panel.cfg"), written);
    EXPECT_EQ(fileText(cessna / "panel.c2"), written);
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
    EXPECT_TRUE(fs::is_empty(root / "config")) << "resave must not write the settings file";
}

// FS98 reads panel.cfg: written elsewhere, the panel keeps it as it is, without a backup.
TEST_F(ResaveCommand, OutputNamesTheNewFileAndPanelCfgStays) {
    const CliRun run = resave({"fs98/aircraft/sample_cessna/panel/panel.cfg", "copy.cfg"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "The new '" + at("copy.cfg") + "' was correctly recorded to disk.\n");
    EXPECT_EQ(fileText(cessna / "panel.cfg"), original);
    EXPECT_FALSE(fs::exists(cessna / "panel.c1"));
    EXPECT_NE(fileText(root / "copy.cfg").find("[Window Titles]"), npos);

    // A panel read from my.cfg and saved as my.cfg writes my.cfg.
    const std::string mine = touch("own/panel/my.cfg", original);
    const CliRun again = resave({mine, mine});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(fileText(mine).find("generated with COCKPIX"), npos);
    EXPECT_FALSE(fs::exists(root / "own/panel/panel.cfg"));
}

TEST_F(ResaveCommand, FollowsAnAliasAndSavesInTheAliasedDirectory) {
    const std::string aliasFile = at("fs98/aircraft/sample_alias/panel/panel.cfg");
    const std::string aliasText = fileText(aliasFile);
    const CliRun run = resave({aliasFile});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "'panel.cfg' rerouted CockPix to [" + cessna.string() + "/]\n");
    EXPECT_EQ(fileText(aliasFile), aliasText);
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
}

// A structural error, a panel without windows, an output that cannot take the new file's
// place: each is reported with its status, and no file changes.
TEST_F(ResaveCommand, WhatCannotBeSavedChangesNothing) {
    touch("taken/file"); // a directory that holds files
    touch("fs98/aircraft/sample_cessna/panel/panel.c5", "fifth");
    const struct {
        std::string panel, output;
        int status;
        std::string says;
    } rows[] = {
        {"[Window Titles]\r\nno title\r\n\r\n", "", 2,
         "Abnormal structure of 'Panel.cfg'.\nPlease edit and correct 'panel.cfg' "
         "manually.\n"},
        {"[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=1\r\nSIZE_Y=1\r\n", "", 1, "nothing was saved"},
        {original, at("taken"), 1, "could not be recorded"}};
    for (const auto& row : rows) {
        touch("fs98/aircraft/sample_cessna/panel/panel.cfg", row.panel);
        const auto before = cessnaFiles();
        std::vector<std::string> args{(cessna / "panel.cfg").string()};
        if (!row.output.empty())
            args.push_back(row.output);
        const CliRun run = resave(args);
        EXPECT_EQ(run.status, row.status) << row.says;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(row.says), npos) << run.err;
        EXPECT_EQ(run.err.find("correctly recorded"), npos) << run.err;
        EXPECT_EQ(cessnaFiles(), before);
    }
    const CliRun missing = resave({"fs98/no/such/panel.cfg"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot be opened"), npos) << missing.err;
}

} // namespace
