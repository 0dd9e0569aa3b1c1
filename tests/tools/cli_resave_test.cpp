// Black-box tests of "cockpix-cli resave": Open, then Save with the default palette options.

#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(COCKPIX_FIXTURES_DIR) / "../../samples/fs98";

using cockpix::test::fileText;
using cockpix::test::writeFile;

std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] =
            entry.is_directory() ? "<dir>" : fileText(entry.path());
    return files;
}

using ToolRun = cockpix::test::CliRun;

// A copy of the sample aircraft in a fresh directory, and the tool run inside it with its
// own (empty) settings directory.
class ResaveCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "cockpix-resave-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::copy(kSamples, root / "fs98", fs::copy_options::recursive);
        fs::create_directory(root / "config");
        cessna = root / "fs98/aircraft/sample_cessna/panel";
        original = fileText(cessna / "panel.cfg");
    }
    void TearDown() override { fs::remove_all(root); }

    ToolRun resave(const std::vector<std::string>& args) {
        std::vector<std::string> command{"resave"};
        command.insert(command.end(), args.begin(), args.end());
        return cockpix::test::runCli(root, command);
    }

    fs::path root;
    fs::path cessna;
    std::string original;
};

TEST_F(ResaveCommand, SavesTheSampleWithABackupAndIsStableOnTheSecondSave) {
    const ToolRun first = resave({"fs98/aircraft/sample_cessna/panel/panel.cfg"});
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string panelCfg = (root / "fs98/aircraft/sample_cessna/panel/panel.cfg").string();
    EXPECT_EQ(first.out, "Previous 'panel.cfg' was saved as 'panel.c1'\nThe new '" + panelCfg +
                             "' was correctly recorded to disk.\n");
    EXPECT_EQ(first.err, "");
    const std::string written = fileText(cessna / "panel.cfg");
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
    EXPECT_NE(written.find("\r\ngauge01=cessna_182.attitude, 192, 110, 100\r\n"),
              std::string::npos);

    const ToolRun second = resave({panelCfg});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("'panel.c2'"), std::string::npos);
    EXPECT_EQ(fileText(cessna / "panel.cfg"), written);
    EXPECT_EQ(fileText(cessna / "panel.c2"), written);
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
    EXPECT_TRUE(fs::is_empty(root / "config")) << "resave must not write the settings file";
}

TEST_F(ResaveCommand, OutputNamesTheNewFileWhileTheOldOneBecomesTheBackup) {
    const ToolRun run = resave({"fs98/aircraft/sample_cessna/panel/panel.cfg", "copy.cfg"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("The new '" + (root / "copy.cfg").string() + "' was correctly"),
              std::string::npos)
        << run.out;
    EXPECT_FALSE(fs::exists(cessna / "panel.cfg"));
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
    EXPECT_NE(fileText(root / "copy.cfg").find("[Window Titles]"), std::string::npos);
}

TEST_F(ResaveCommand, FollowsAnAliasAndSavesInTheAliasedDirectory) {
    const fs::path aliasDir = root / "fs98/aircraft/sample_alias/panel";
    const auto aliasBefore = snapshot(aliasDir);
    const ToolRun run = resave({"fs98/aircraft/sample_alias/panel/panel.cfg"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "'panel.cfg' rerouted CockPix to [" + cessna.string() + "/]\n");
    EXPECT_EQ(snapshot(aliasDir), aliasBefore);
    EXPECT_EQ(fileText(cessna / "panel.c1"), original);
}

TEST_F(ResaveCommand, AStructuralErrorChangesNothing) {
    writeFile(cessna / "panel.cfg",
              "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window09]\r\nfile=a.bmp\r\n");
    const auto before = snapshot(cessna);
    const ToolRun run = resave({(cessna / "panel.cfg").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Abnormal structure of 'Panel.cfg'.\nPlease edit and correct "
                            "'panel.cfg' manually.\n",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(snapshot(cessna), before);

    const ToolRun missing = resave({"fs98/no/such/panel.cfg"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot be opened"), std::string::npos) << missing.err;
}

TEST_F(ResaveCommand, APanelWithoutWindowsIsNotSaved) {
    writeFile(cessna / "panel.cfg", "[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=1\r\nSIZE_Y=1\r\n");
    const auto before = snapshot(cessna);
    const ToolRun run = resave({(cessna / "panel.cfg").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("nothing was saved"), std::string::npos) << run.err;
    EXPECT_EQ(snapshot(cessna), before);
}

TEST_F(ResaveCommand, AFailedSaveReportsItAndKeepsEveryFile) {
    // The new file cannot take the place of a directory that holds files.
    fs::create_directories(root / "taken");
    writeFile(root / "taken/file", "x");
    writeFile(cessna / "panel.c5", "fifth");
    const auto before = snapshot(cessna);
    const ToolRun run = resave({(cessna / "panel.cfg").string(), (root / "taken").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find("correctly recorded"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("could not be recorded"), std::string::npos) << run.err;
    EXPECT_EQ(snapshot(cessna), before);
}

TEST_F(ResaveCommand, HelpAndWrongArguments) {
    const ToolRun help = resave({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: cockpix-cli resave PANEL_CFG [OUTPUT]", 0), 0u) << help.out;
    EXPECT_EQ(resave({}).status, 64);
    EXPECT_EQ(resave({"a", "b", "c"}).status, 64);
}

} // namespace
