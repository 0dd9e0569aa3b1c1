#include "base/core/filelookup.h"

#include "base/core/scratchdir.h"
#include "base/core/smallfilecache.h"

#include <sys/stat.h>

namespace cockpix {
namespace {

class FileLookup : public ScratchDirTest {};

TEST_F(FileLookup, FindsEachComponentWhateverItsCase) {
    touch("Gauges/CESSNA_182.AIRSPEED.GAU");
    touch("Aircraft/C182/Panel/Panel_Main.BMP");
    EXPECT_EQ(findPathIgnoringCase(at("gauges/cessna_182.airspeed.gau")),
              at("Gauges/CESSNA_182.AIRSPEED.GAU"));
    EXPECT_EQ(findPathIgnoringCase(at("aircraft/c182/panel/panel_main.bmp")),
              at("Aircraft/C182/Panel/Panel_Main.BMP"));
    // A directory with its trailing separator keeps it.
    EXPECT_EQ(findPathIgnoringCase(at("aircraft/c182/panel/")), at("Aircraft/C182/Panel/"));
    EXPECT_EQ(findPathIgnoringCase(at("aircraft/c182/panel/missing.bmp")), std::nullopt);
    EXPECT_EQ(findPathIgnoringCase(""), std::nullopt);
    // Nothing matches: resolving keeps the text as it was.
    EXPECT_EQ(resolvePathIgnoringCase(at("New/panel.cfg")), at("New/panel.cfg"));
}

TEST_F(FileLookup, PrefersTheExactNameThenTheFirstInSortedOrder) {
    touch("d/panel.CFG");
    touch("d/Panel.cfg");
    touch("d/PANEL.cfg");
    EXPECT_EQ(findPathIgnoringCase(at("d/Panel.cfg")), at("d/Panel.cfg"));
    EXPECT_EQ(findPathIgnoringCase(at("d/panel.cfg")), at("d/PANEL.cfg"));
}

TEST_F(FileLookup, AnInnerComponentMustBeADirectory) {
    touch("ab");       // a plain file that matches "AB" ignoring case
    touch("AB/x.bmp"); // and the directory that really holds x.bmp
    EXPECT_EQ(findPathIgnoringCase(at("Ab/X.BMP")), at("AB/x.bmp"));
}

// Windows lists "*.gau" whatever the case of the extension, sorted ignoring case.
TEST_F(FileLookup, ListsFilesByExtensionIgnoringCase) {
    touch("g/zulu.gau");
    touch("g/ALPHA.GAU");
    touch("g/Mike.Gau");
    touch("g/notes.txt");
    touch("g/.gau");          // nothing before the extension
    touch("g/sub.gau/x.gau"); // a directory is not a module
    touch("g/gau");
    EXPECT_EQ(filesWithExtension(at("g/"), ".gau"),
              (std::vector<std::string>{"ALPHA.GAU", "Mike.Gau", "zulu.gau"}));
    EXPECT_TRUE(filesWithExtension(at("none/"), ".gau").empty());
    // The chooser's snapshot path: exactly one separator between directory and name.
    EXPECT_EQ(pathInDirectory("/p/panel/", "Cockpit1.bmp"), "/p/panel/Cockpit1.bmp");
    EXPECT_EQ(pathInDirectory("/p/panel", "Cockpit1.bmp"), "/p/panel/Cockpit1.bmp");
}

TEST_F(FileLookup, ReadsWholeFilesByteForByte) {
    std::string bytes("a\r\nb\0c\xE9", 7);
    bytes += std::string(100000, 'z');
    EXPECT_EQ(readWholeFile(touch("f.bin", bytes)), bytes);
    EXPECT_EQ(readWholeFile(touch("empty", "")), std::string());
    EXPECT_EQ(readWholeFile(at("absent")), std::nullopt);
    EXPECT_EQ(readWholeFile(root.string()), std::nullopt); // a directory is not a file
}

// One buffer read into again and again holds exactly the last file, whether it is longer or
// shorter than the one before, and nothing after a failure.
TEST_F(FileLookup, ReadsFilesIntoOneBuffer) {
    const std::string longer(70000, 'L'), shorter = std::string("s\0t", 3);
    std::string buffer;
    ASSERT_TRUE(readWholeFileInto(touch("long", longer), buffer));
    EXPECT_EQ(buffer, longer);
    ASSERT_TRUE(readWholeFileInto(touch("short", shorter), buffer));
    EXPECT_EQ(buffer, shorter);
    ASSERT_TRUE(readWholeFileInto(at("long"), buffer));
    EXPECT_EQ(buffer, longer);
    EXPECT_FALSE(readWholeFileInto(at("absent"), buffer));
    EXPECT_EQ(buffer, std::string());
    EXPECT_FALSE(readWholeFileInto(root.string(), buffer));
}

TEST_F(FileLookup, TellsWhetherAFileHoldsExactlyTheseBytes) {
    std::string bytes(40000, 'x');
    bytes[39999] = 'y';
    const std::string path = touch("f", bytes);
    EXPECT_TRUE(fileHolds(path, bytes));
    EXPECT_FALSE(fileHolds(path, bytes.substr(0, 39999)));
    EXPECT_FALSE(fileHolds(path, bytes + "z"));
    std::string changed = bytes;
    changed[20000] = 'q';
    EXPECT_FALSE(fileHolds(path, changed));
    EXPECT_TRUE(fileHolds(touch("empty", ""), ""));
    EXPECT_FALSE(fileHolds(at("absent"), ""));
}

// A file read with its stamp, or the reason it was not: a pipe named like a file is refused
// at once (opening it must not wait for a writer), a file over the limit is not read.
TEST_F(FileLookup, ReadsARegularFileWithItsStampOrSaysWhyNot) {
    using Outcome = FileRead::Outcome;
    const std::string bytes("[VCockpit01]\r\n\0x", 17);
    const FileRead read = readRegularFile(touch("panel.cfg", bytes), 17);
    ASSERT_EQ(read.outcome, Outcome::Read);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(read.stamp, fileStamp(at("panel.cfg")));

    const FileRead large = readRegularFile(at("panel.cfg"), 16);
    EXPECT_EQ(large.outcome, Outcome::TooLarge);
    EXPECT_EQ(large.bytes, "");
    EXPECT_EQ(large.stamp.length, 17u);

    EXPECT_EQ(readRegularFile(at("absent"), 100).outcome, Outcome::Missing);
    EXPECT_EQ(readRegularFile(at("panel.cfg/below"), 100).outcome, Outcome::Missing);
    EXPECT_EQ(readRegularFile(root.string(), 100).outcome, Outcome::NotAFile);
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(at("pipe"), 100).outcome, Outcome::NotAFile);
    EXPECT_EQ(readRegularFile(touch("empty", ""), 0).bytes, "");
}

// A file is read once while it is kept: a change on disk shows after the cache is emptied,
// or once enough other files have crowded it out.
TEST_F(FileLookup, TheSmallFileCacheReadsAFileOnceUntilEmptiedOrCrowdedOut) {
    SmallFileCache files;
    const std::string path = touch("aircraft.cfg", "first");
    EXPECT_EQ(files.read(path)->bytes, "first");
    touch("aircraft.cfg", "second");
    const std::shared_ptr<const FileRead> kept = files.read(path);
    EXPECT_EQ(kept->bytes, "first");
    files.clear();
    EXPECT_EQ(files.read(path)->bytes, "second");
    EXPECT_EQ(kept->bytes, "first"); // what a caller holds stays valid

    EXPECT_EQ(files.read(at("absent"))->outcome, FileRead::Outcome::Missing);
    touch("aircraft.cfg", "third");
    for (int i = 0; i < 7; ++i)
        files.read(touch("other" + std::to_string(i)));
    EXPECT_EQ(files.read(path)->bytes, "third");
}

} // namespace
} // namespace cockpix
