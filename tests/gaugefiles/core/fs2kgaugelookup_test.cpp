// Finding the gauges of panels of FS2000 and later, and unpacking the cabinets XML gauges
// come in.

#include "gaugefiles/core/fs2k/gaugelist.h"
#include "gaugefiles/core/fs2k/gaugelookup.h"

#include "base/core/scratchdir.h"
#include "gaugefiles/core/cabfile.h"
#include "support/cabmaker.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace cockpix {
namespace {

using test::fileText;
using test::writeFile;

// Text that MSZIP packs poorly, so that a cabinet of it spans several data blocks.
std::string noise(std::size_t length, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(length, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    return bytes;
}

class CabFiles : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        writeFile(root / "in/Clock.xml", "<Gauge Name=\"Clock\"/>");
        writeFile(root / "in/pics/Face.BMP", face);
        if (!test::makeCab(root / "in", root / "Dials.cab", "Clock.xml pics/Face.BMP"))
            GTEST_SKIP() << "gcab is not installed";
        cab = fileText(root / "Dials.cab");
    }
    const std::string face = noise(100000, 7);
    std::string cab;
};

TEST_F(CabFiles, AreListedAndUnpackedWholeInTheirOrder) {
    EXPECT_EQ(cabFileNames(cab), (std::vector<std::string>{"Clock.xml", "pics\\Face.BMP"}));
    const auto files = readCabFiles(cab);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->size(), 2u);
    EXPECT_EQ((*files)[0].name, "Clock.xml");
    EXPECT_EQ((*files)[0].bytes, "<Gauge Name=\"Clock\"/>");
    EXPECT_EQ((*files)[1].name, "pics\\Face.BMP");
    EXPECT_EQ((*files)[1].bytes, face);
}

TEST_F(CabFiles, OneFileIsFoundByItsStoredNameInAnyCase) {
    EXPECT_EQ(readCabFile(cab, "pics\\Face.BMP"), face);
    EXPECT_EQ(readCabFile(cab, "PICS/face.bmp"), face);
    EXPECT_EQ(readCabFileAt((root / "Dials.cab").string(), "clock.XML"), "<Gauge Name=\"Clock\"/>");
    EXPECT_EQ(readCabFile(cab, "Face.BMP"), std::nullopt); // the folder is part of the name
    EXPECT_EQ(readCabFile(cab, "Missing.xml"), std::nullopt);
    EXPECT_EQ(readCabFileAt((root / "nothing.cab").string(), "Clock.xml"), std::nullopt);
}

TEST_F(CabFiles, NothingIsUnpackedPastTheLimit) {
    EXPECT_EQ(readCabFiles(cab, face.size()), std::nullopt); // both files declare more
    EXPECT_TRUE(readCabFiles(cab, face.size() + 100));
    EXPECT_EQ(readCabFile(cab, "pics\\Face.BMP", face.size() - 1), std::nullopt);
    EXPECT_EQ(readCabFile(cab, "pics\\Face.BMP", face.size()), face);
}

TEST_F(CabFiles, BrokenCabinetsGiveNothing) {
    for (const std::string& bad :
         {std::string(), cab.substr(0, 40), std::string("MSCF") + std::string(60, '\xff'),
          std::string(cab).replace(28, 2, "\xff\xff")}) {
        EXPECT_EQ(cabFileNames(bad), std::nullopt);
        EXPECT_EQ(readCabFiles(bad), std::nullopt);
    }
    // The directory intact, the packed data cut short: the listing still works, the
    // unpacking fails instead of giving fewer bytes.
    const std::string cut = cab.substr(0, cab.size() - 5000);
    EXPECT_TRUE(cabFileNames(cut));
    EXPECT_EQ(readCabFiles(cut), std::nullopt);
    EXPECT_EQ(readCabFile(cut, "pics\\Face.BMP"), std::nullopt);
}

// An installation with a gauge of every kind, in both folders, in odd cases.
class Fs2kGaugeLookup : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        panelDir = (root / "panel").string() + "/";
        gaugesDir = (root / "gauges").string() + "/";
        writeFile(root / "gauges/ROUND.GAU", "gau");
        writeFile(root / "gauges/radio.DLL", "dll");
        writeFile(root / "gauges/XmlPack/needle.XML", "<Gauge/>");
        writeFile(root / "gauges/Broken.cab", "MSCF cut short");
        writeFile(root / "packing/sub/Clock.xml", "<Gauge/>");
        cabsMade = test::makeCab(root / "packing", root / "gauges/Dials.cab", "sub/Clock.xml");
        writeFile(root / "panel/LVLD/b767MAIN.gau", "gau");
        writeFile(root / "panel/Round.dll", "dll"); // found before the gauges folder's .gau
        writeFile(root / "panel/Broken.cab", "not a cabinet");
    }
    fs2k::GaugeLookup find(std::string_view name) {
        return fs2k::findGauge(name, panelDir, gaugesDir, files);
    }
    std::string panelDir;
    std::string gaugesDir;
    fs2k::GaugeFiles files;
    bool cabsMade = false;
};

TEST_F(Fs2kGaugeLookup, SplitsNamesAtTheBang) {
    const fs2k::GaugeName full = fs2k::splitGaugeName(" LVLD\\B767main ! EADI ");
    EXPECT_EQ(full.module, "LVLD\\B767main");
    EXPECT_EQ(full.gauge, "EADI");
    const fs2k::GaugeName alone = fs2k::splitGaugeName("cessna.airspeed");
    EXPECT_EQ(alone.module, "cessna.airspeed");
    EXPECT_EQ(alone.gauge, "");
    EXPECT_EQ(fs2k::splitGaugeName("!x").module, "");
}

TEST_F(Fs2kGaugeLookup, FindsEachKindInFsOrderWhateverTheCase) {
    fs2k::GaugeLookup found = find("round!Needle");
    EXPECT_EQ(found.kind, fs2k::GaugeKind::Dll); // the panel folder comes first
    EXPECT_EQ(found.path, panelDir + "Round.dll");
    found = find("lvld\\B767Main!EADI");
    EXPECT_EQ(found.kind, fs2k::GaugeKind::Gau);
    EXPECT_EQ(found.path, panelDir + "LVLD/b767MAIN.gau");
    EXPECT_EQ(find("RADIO!Comm").path, gaugesDir + "radio.DLL");
    found = find("xmlpack!NEEDLE");
    EXPECT_EQ(found.kind, fs2k::GaugeKind::XmlFolder);
    EXPECT_EQ(found.path, gaugesDir + "XmlPack");
    EXPECT_EQ(found.entry, "needle.XML");
    EXPECT_EQ(find("XmlPack").kind, fs2k::GaugeKind::Missing); // an XML gauge needs its name
    if (cabsMade) {
        found = find("dials!CLOCK");
        EXPECT_EQ(found.kind, fs2k::GaugeKind::Cab);
        EXPECT_EQ(found.path, gaugesDir + "Dials.cab");
        EXPECT_EQ(found.entry, "sub\\Clock.xml");
        EXPECT_EQ(find("Dials!Fuel").kind, fs2k::GaugeKind::Missing);
    }
    EXPECT_EQ(find("Nothing!Here").kind, fs2k::GaugeKind::Missing);
    EXPECT_EQ(find("").kind, fs2k::GaugeKind::Missing);
}

TEST_F(Fs2kGaugeLookup, AnUnreadableCabinetIsTheAnswerOnlyWhenNothingElseHoldsTheGauge) {
    fs2k::GaugeLookup found = find("Broken!Gauge");
    EXPECT_EQ(found.kind, fs2k::GaugeKind::CabUnreadable);
    EXPECT_EQ(found.path, panelDir + "Broken.cab"); // the first of the two
    writeFile(root / "gauges/Broken/Gauge.xml", "<Gauge/>");
    files.beginRound();
    EXPECT_EQ(find("Broken!Gauge").kind, fs2k::GaugeKind::XmlFolder);
    gaugesDir.clear();
    EXPECT_EQ(find("Broken!Gauge").kind, fs2k::GaugeKind::CabUnreadable);
}

TEST_F(Fs2kGaugeLookup, AModuleIsLookedForOnceARoundAndAmongCaseTwinsByNameOrder) {
    EXPECT_EQ(find("Fresh!Gauge").kind, fs2k::GaugeKind::Missing);
    writeFile(root / "gauges/fresh.gau", "gau");
    EXPECT_EQ(find("Fresh!Other").kind, fs2k::GaugeKind::Missing); // the same round
    files.beginRound();
    EXPECT_EQ(find("Fresh!Other").path, gaugesDir + "fresh.gau");
    std::filesystem::remove(root / "gauges/fresh.gau");
    files.beginRound();
    EXPECT_EQ(find("Fresh!Other").kind, fs2k::GaugeKind::Missing);
    // Names Windows would take for one: the first in name order, whatever the listing's.
    for (const char* twin : {"twin.gau", "Twin.gau", "TWIN.gau"})
        writeFile(root / "gauges" / twin, "gau");
    files.beginRound();
    EXPECT_EQ(find("tWin").path, gaugesDir + "TWIN.gau");
    EXPECT_EQ(find("twin").path, gaugesDir + "twin.gau"); // the exact name first
}

// A module below a folder is found only through that folder, however the path is written;
// a panel folder without any folder or module file is passed over.
TEST_F(Fs2kGaugeLookup, AModuleBelowAFolderNeedsThatFolder) {
    writeFile(root / "gauges/Fleet/MOD.gau", "gau");
    for (const char* name :
         {"fleet\\mod!G", "FLEET/Mod", "\\Fleet\\Mod!G", "Fleet\\\\mod", "./Fleet/Mod"}) {
        const fs2k::GaugeLookup found = find(name);
        EXPECT_EQ(found.kind, fs2k::GaugeKind::Gau) << name;
        EXPECT_TRUE(found.path.ends_with("Fleet/MOD.gau")) << found.path;
    }
    // As Windows does, ".." takes away the folder before it by its text: that folder need not
    // exist. A ".." above the folder searched goes above it.
    for (const char* name : {"LVLD\\..\\Fleet\\Mod", "Absent\\..\\Fleet\\.\\Mod!G",
                             "a\\b\\..\\..\\Fleet\\Mod", "..\\gauges\\Fleet\\Mod"}) {
        const fs2k::GaugeLookup found = find(name);
        EXPECT_EQ(found.kind, fs2k::GaugeKind::Gau) << name;
        EXPECT_TRUE(found.path.ends_with("Fleet/MOD.gau")) << found.path;
    }
    EXPECT_EQ(find("Fleet\\..\\Mod!G").kind, fs2k::GaugeKind::Missing);
    EXPECT_EQ(find("..!G").kind, fs2k::GaugeKind::Missing);
    EXPECT_EQ(find("Other\\Mod!G").kind, fs2k::GaugeKind::Missing);
    EXPECT_EQ(find("ROUND.GAU\\Mod").kind, fs2k::GaugeKind::Missing); // a file, not a folder
    const std::string bare = (root / "bare").string() + "/";
    writeFile(root / "bare/panel.cfg", "");
    writeFile(root / "bare/round.bmp", "");
    EXPECT_EQ(fs2k::findGauge("Round!x", bare, gaugesDir, files).path, gaugesDir + "ROUND.GAU");
    EXPECT_EQ(fs2k::findGauge("Fleet\\Mod", bare, gaugesDir, files).path,
              gaugesDir + "Fleet/MOD.gau");
}

// A Prepar3D add-on declares several gauges folders: FS searches them in order, the first
// that holds a gauge ends the search, and an unreadable cabinet is the answer only when none
// holds it.
TEST_F(Fs2kGaugeLookup, SeveralGaugesFoldersAreSearchedInOrder) {
    const std::string second = (root / "second").string() + "/";
    writeFile(root / "second/Round.gau", "gau");
    writeFile(root / "second/Late.gau", "gau");
    const std::vector<std::string> folders{gaugesDir, second};
    const auto path = [&](std::string_view name) {
        return fs2k::findGauge(name, panelDir, folders, files).path;
    };
    EXPECT_EQ(path("round!x"), panelDir + "Round.dll");
    EXPECT_EQ(path("late!x"), second + "Late.gau");
    EXPECT_EQ(fs2k::findGauge("radio!x", "", folders, files).path, gaugesDir + "radio.DLL");
    EXPECT_EQ(fs2k::findGauge("Broken!x", "", folders, files).kind, fs2k::GaugeKind::CabUnreadable);
    EXPECT_EQ(fs2k::findGauge("Broken!x", "", folders, files).path, gaugesDir + "Broken.cab");
    const fs2k::GaugeList listed = fs2k::listGauges("", folders, files);
    EXPECT_TRUE(std::any_of(listed.entries.begin(), listed.entries.end(),
                            [](const fs2k::GaugeEntry& entry) { return entry.name == "Late"; }));
}

// A listing handed over by a walk of the tree stands for the folder in its round only.
TEST_F(Fs2kGaugeLookup, AnAdoptedListingHoldsForItsRound) {
    FolderIndex& folders = files.folders();
    const std::vector<FolderEntry> walked = {{"Ghost.gau", false}, {"Sub", true}};
    folders.adopt(panelDir, walked);
    EXPECT_EQ(folders.find(panelDir, "GHOST.GAU"), panelDir + "Ghost.gau");
    EXPECT_EQ(find("ghost!x").path, panelDir + "Ghost.gau");
    EXPECT_FALSE(folders.contains(panelDir, "Round.dll")); // the walk did not see it
    files.beginRound();
    EXPECT_FALSE(folders.contains(panelDir, "Ghost.gau"));
    EXPECT_TRUE(folders.contains(panelDir, "Round.dll"));
}

TEST_F(Fs2kGaugeLookup, ACabinetIsListedAgainWhenItChanges) {
    if (!cabsMade)
        GTEST_SKIP() << "gcab is not installed";
    EXPECT_EQ(find("Dials!Fuel").kind, fs2k::GaugeKind::Missing);
    writeFile(root / "packing/sub/Fuel.xml", "<Gauge/>");
    // The new cabinet is longer, so its stamp differs even within the clock's resolution.
    ASSERT_TRUE(
        test::makeCab(root / "packing", root / "gauges/Dials.cab", "sub/Clock.xml sub/Fuel.xml"));
    EXPECT_EQ(find("Dials!Fuel").kind, fs2k::GaugeKind::Missing); // looked at once in a round
    files.beginRound();
    EXPECT_EQ(find("Dials!Fuel").kind, fs2k::GaugeKind::Cab);
    writeFile(root / "gauges/Dials.cab", "garbage now");
    files.beginRound();
    EXPECT_EQ(find("Dials!Fuel").kind, fs2k::GaugeKind::CabUnreadable);
}

} // namespace
} // namespace cockpix
