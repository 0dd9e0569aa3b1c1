// The list of gauges a chooser offers for panels of FS2000 and later: every kind of module
// in the panel folder and the gauges folder, the names FS's order hides, broken modules and
// cabinets, and the limits that keep a huge gauges folder from stalling the dialog.

#include "gaugefiles/core/fs2k/gaugelist.h"

#include "base/core/scratchdir.h"
#include "demo/gaugemodulewriter.h"
#include "support/cabmaker.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

// A module of several gauges, as FS2000 and later build them.
std::string multiGaugeModule(const std::vector<std::string>& names) {
    demo::GaugeModuleContents contents;
    for (const std::string& name : names)
        contents.gauges.push_back({name, {}});
    return demo::gaugeLibraryBytes(contents);
}

std::vector<std::string> namesOf(const fs2k::GaugeList& list) {
    std::vector<std::string> names;
    for (const fs2k::GaugeEntry& entry : list.entries)
        names.push_back(entry.name);
    return names;
}

const fs2k::GaugeEntry* entryNamed(const fs2k::GaugeList& list, const std::string& name) {
    for (const fs2k::GaugeEntry& entry : list.entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

class GaugeChoice : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        panelDir = at("panel") + "/";
        gaugesDir = at("gauges") + "/";
        std::filesystem::create_directories(panelDir);
        std::filesystem::create_directories(gaugesDir);
    }
    fs2k::GaugeList list(const fs2k::GaugeListLimits& limits = {}) {
        return fs2k::listGauges(panelDir, gaugesDir, files, limits);
    }
    std::string panelDir;
    std::string gaugesDir;
    fs2k::GaugeFiles files;
};

TEST_F(GaugeChoice, ListsEveryKindOfModuleSortedByNameIgnoringCase) {
    touch("gauges/Multi.gau", multiGaugeModule({"Clock", "fuel"}));
    touch("gauges/old_airspeed.GAU", "an FS98 module declares no gauges");
    touch("gauges/Radio.dll", multiGaugeModule({"Com"}));
    touch("gauges/XmlPack/Attitude.xml", "<Gauge/>");
    touch("gauges/XmlPack/EGT.XML", "<Gauge/>");
    touch("gauges/XmlPack/face.bmp", "BM");
    touch("gauges/XmlPack/notes.txt", "not a gauge");
    touch("gauges/Empty/readme.txt", "no XML here");
    touch("gauges/readme.txt", "not a gauge");
    touch("in/NavCom.xml", "<Gauge/>");
    touch("in/sub/Gps.xml", "<Gauge/>");
    touch("in/pics/face.bmp", "BM");
    const bool cabs = test::makeCab(root / "in", root / "gauges/Radios.cab",
                                    "NavCom.xml sub/Gps.xml pics/face.bmp");
    std::vector<std::string> expected = {"Multi!Clock", "Multi!fuel",       "old_airspeed",
                                         "Radio!Com",   "XmlPack!Attitude", "XmlPack!EGT"};
    if (cabs)
        expected.insert(expected.begin() + 4, {"Radios!Gps", "Radios!NavCom"});
    const fs2k::GaugeList found = list();
    EXPECT_EQ(namesOf(found), expected);
    EXPECT_FALSE(found.cut);
    EXPECT_EQ(entryNamed(found, "Multi!fuel")->kind, fs2k::GaugeKind::Gau);
    EXPECT_EQ(entryNamed(found, "Radio!Com")->kind, fs2k::GaugeKind::Dll);
    EXPECT_EQ(entryNamed(found, "XmlPack!EGT")->kind, fs2k::GaugeKind::XmlFolder);
    EXPECT_EQ(entryNamed(found, "old_airspeed")->place, fs2k::GaugeFolder::GaugesFolder);
    if (cabs) {
        EXPECT_EQ(entryNamed(found, "Radios!Gps")->kind, fs2k::GaugeKind::Cab);
    }
}

TEST_F(GaugeChoice, ThePanelFolderHidesWhatTheGaugesFolderHoldsUnderTheSameName) {
    touch("panel/Shared.gau", multiGaugeModule({"Clock"}));
    touch("gauges/SHARED.gau", multiGaugeModule({"Clock", "Other"}));
    touch("panel/local/A.xml", "<Gauge/>");
    touch("gauges/Local/a.xml", "<Gauge/>");
    touch("gauges/Local/B.xml", "<Gauge/>");
    // FS takes Pack.gau of the panel folder for any Pack!...: the folder is never reached.
    touch("panel/Pack.gau", "an FS98 module");
    touch("gauges/Pack/Thing.xml", "<Gauge/>");
    const fs2k::GaugeList found = list();
    EXPECT_EQ(namesOf(found),
              (std::vector<std::string>{"local!A", "Local!B", "Pack", "Shared!Clock"}));
    EXPECT_EQ(entryNamed(found, "local!A")->place, fs2k::GaugeFolder::PanelFolder);
    EXPECT_EQ(entryNamed(found, "Local!B")->place, fs2k::GaugeFolder::GaugesFolder);
    EXPECT_EQ(entryNamed(found, "Shared!Clock")->place, fs2k::GaugeFolder::PanelFolder);
    EXPECT_EQ(entryNamed(found, "Pack")->place, fs2k::GaugeFolder::PanelFolder);
}

TEST_F(GaugeChoice, BrokenModulesAndNamesALineCannotHoldAreHandled) {
    const std::string module = multiGaugeModule({"Clock", "Bad,Name", " Blank", "ok"});
    touch("gauges/Cut.gau", module.substr(0, 300)); // its tables cut off: a module of one
    touch("gauges/Named.gau", module);
    touch("gauges/Comma,Module.gau", module);
    touch("gauges/Broken.cab", "MSCF and nothing more");
    touch("gauges/empty.dll", "");
    const fs2k::GaugeList found = list();
    EXPECT_EQ(namesOf(found),
              (std::vector<std::string>{"Cut", "empty", "Named!Clock", "Named!ok"}));
    EXPECT_EQ(found.unreadable, (std::vector<std::string>{gaugesDir + "Broken.cab"}));
    // Only the gauges folder: nothing else is searched.
    panelDir.clear();
    EXPECT_EQ(list().entries.size(), 4u);
    gaugesDir.clear();
    EXPECT_TRUE(list().entries.empty());
}

TEST_F(GaugeChoice, StopsAtItsLimitsAndSaysSo) {
    for (int i = 0; i < 30; ++i)
        touch("gauges/m" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".gau", "FS98");
    touch("gauges/Big.gau", multiGaugeModule({"A", "B", "C"}));

    fs2k::GaugeListLimits fewReads;
    fewReads.modulesRead = 10;
    fs2k::GaugeList found = list(fewReads);
    EXPECT_TRUE(found.cut);
    ASSERT_EQ(found.entries.size(), 12u); // Big's three and the first modules by name
    EXPECT_EQ(found.entries.front().name, "Big!A");
    EXPECT_EQ(found.entries.back().name, "m08");

    fs2k::GaugeListLimits fewEntries;
    fewEntries.entries = 2;
    found = list(fewEntries);
    EXPECT_TRUE(found.cut);
    EXPECT_EQ(namesOf(found), (std::vector<std::string>{"Big!A", "Big!B"}));

    fs2k::GaugeListLimits fewItems;
    fewItems.folderItems = 5;
    found = list(fewItems);
    EXPECT_TRUE(found.cut);
    EXPECT_LE(found.entries.size(), 7u);

    // A module too large to read is offered by its name.
    fs2k::GaugeListLimits smallModules;
    smallModules.moduleBytes = 100;
    EXPECT_NE(entryNamed(list(smallModules), "Big"), nullptr);
}

TEST(GaugeEntryText, SaysWhatAndWhere) {
    EXPECT_EQ(
        fs2k::describeGaugeEntry({"Pack!A", fs2k::GaugeKind::Cab, fs2k::GaugeFolder::PanelFolder}),
        "an XML gauge in a cabinet (.cab) of the panel folder");
    EXPECT_EQ(
        fs2k::describeGaugeEntry({"M", fs2k::GaugeKind::Gau, fs2k::GaugeFolder::GaugesFolder}),
        "a gauge module (.gau) of the gauges folder");
}

} // namespace
} // namespace cockpix
