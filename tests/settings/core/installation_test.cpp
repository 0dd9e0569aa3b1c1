#include "settings/core/installation.h"
#include "settings/core/packagefiles.h"

#include "base/core/scratchdir.h"

#include <string>
#include <vector>

namespace cockpix {
namespace {

constexpr const char* kAssetGroups = R"(<AssetPackage Name="test-aircraft"><AssetGroups>
  <AssetGroup Name="Instruments"><Type>Copy</Type>
    <AssetDir>PackageSources\html_ui\</AssetDir><OutputDir>html_ui\</OutputDir></AssetGroup>
  <AssetGroup Name="SimObject"><Type>SimObject</Type>
    <AssetDir>PackageSources\SimObjects\Airplanes\X\</AssetDir>
    <OutputDir>SimObjects\Airplanes\X\</OutputDir></AssetGroup>
</AssetGroups></AssetPackage>)";

constexpr const char* kAddOn = R"(<?xml version="1.0"?>
<SimBase.Package><AddOn.Name>Test Addon</AddOn.Name>
  <AddOn.Component><Category>SimObjects</Category><Path>SimObjects\Airplanes</Path></AddOn.Component>
  <AddOn.Component><Category>Gauges</Category><Path>Gauges</Path></AddOn.Component>
</SimBase.Package>)";

struct Layout {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // path, bytes
    std::string panel;
    Simulator simulator;
    std::string root;
    std::vector<std::string> gauges;
    std::vector<std::string> instruments;
    std::string description;
};

const std::string kInstruments = "html_ui/Pages/VCockpit/Instruments/";

std::vector<Layout> layouts() {
    return {
        {"FS2004: Aircraft beside Gauges, in any case",
         {{"FS9/AIRCRAFT/c172/Panel/panel.cfg", ""}, {"FS9/gauges/a.gau", ""}},
         "FS9/AIRCRAFT/c172/Panel",
         Simulator::Fs98ToFs2004,
         "FS9/",
         {"FS9/gauges/"},
         {},
         "FS98 to FS2004 installation @FS9"},
        {"FSX: a variant panel folder of SimObjects/Airplanes",
         {{"FSX/SimObjects/Airplanes/C172/panel.blue/panel.cfg", ""}, {"FSX/GAUGES/a.cab", ""}},
         "FSX/SimObjects/Airplanes/C172/panel.blue/",
         Simulator::FsxOrP3d,
         "FSX/",
         {"FSX/GAUGES/"},
         {},
         "FSX or Prepar3D installation @FSX"},
        {"Prepar3D: any category of simobjects",
         {{"P3D/simobjects/Rotorcraft/Bell/PANEL/panel.cfg", ""}, {"P3D/Gauges/b.dll", ""}},
         "P3D/simobjects/Rotorcraft/Bell/PANEL/",
         Simulator::FsxOrP3d,
         "P3D/",
         {"P3D/Gauges/"},
         {},
         "FSX or Prepar3D installation @P3D"},
        {"Prepar3D add-on: its declared Gauges folder",
         {{"Addon/ADD-ON.XML", kAddOn},
          {"Addon/SimObjects/Airplanes/X/panel/panel.cfg", ""},
          {"Addon/gauges/a.gau", ""}},
         "Addon/SimObjects/Airplanes/X/panel/",
         Simulator::P3dAddon,
         "Addon/",
         {"Addon/gauges/"},
         {},
         "Prepar3D add-on Addon"},
        {"MSFS: a Community package, then its neighbours' instruments",
         {{"Community/test-aircraft/manifest.json", "{}"},
          {"Community/test-aircraft/SimObjects/Airplanes/X/panel/panel.cfg", ""},
          {"Community/test-aircraft/HTML_UI/pages/VCockpit/instruments/PFD/pfd.html", ""},
          {"Community/avionics/manifest.json", "{}"},
          {"Community/avionics/" + kInstruments + "MFD/mfd.html", ""},
          {"Community/no-instruments/manifest.json", "{}"}},
         "Community/test-aircraft/SimObjects/Airplanes/X/panel/",
         Simulator::MsfsPackage,
         "Community/test-aircraft/",
         {},
         {"Community/test-aircraft/HTML_UI/pages/VCockpit/instruments/",
          "Community/avionics/" + kInstruments},
         "MSFS package test-aircraft"},
        {"MSFS: Community's package, then Official's beside it (one Packages folder)",
         {{"Packages/Community/mine/manifest.json", "{}"},
          {"Packages/Community/mine/SimObjects/Airplanes/X/panel/panel.cfg", ""},
          {"Packages/Official/OneStore/stock/manifest.json", "{}"},
          {"Packages/Official/OneStore/stock/" + kInstruments + "Generic/g.html", ""}},
         "Packages/Community/mine/SimObjects/Airplanes/X/panel/",
         Simulator::MsfsPackage,
         "Packages/Community/mine/",
         {},
         {"Packages/Official/OneStore/stock/" + kInstruments},
         "MSFS package mine"},
        {"MSFS 2024: a preset's panel in Official/OneStore",
         {{"Official/OneStore/asobo-x/manifest.json", "{}"},
          {"Official/OneStore/asobo-x/SimObjects/Airplanes/X/presets/asobo/P/panel/panel.cfg", ""},
          {"Official/OneStore/asobo-stock/manifest.json", "{}"},
          {"Official/OneStore/asobo-stock/" + kInstruments + "NavSystems/a.html", ""}},
         "Official/OneStore/asobo-x/SimObjects/Airplanes/X/presets/asobo/P/panel/",
         Simulator::MsfsPackage,
         "Official/OneStore/asobo-x/",
         {},
         {"Official/OneStore/asobo-stock/" + kInstruments},
         "MSFS package asobo-x"},
        {"MSFS 2024: an attachment's panel",
         {{"pkg/manifest.json", "{}"}, {"pkg/attachments/pub/part/panel/panel.cfg", ""}},
         "pkg/attachments/pub/part/panel/",
         Simulator::MsfsPackage,
         "pkg/",
         {},
         {},
         "MSFS package pkg"},
        {"MSFS project: the asset group that becomes html_ui",
         {{"proj/PackageDefinitions/test-aircraft.XML", kAssetGroups},
          {"proj/PackageSources/SimObjects/Airplanes/X/panel/panel.cfg", ""},
          {"proj/PackageSources/html_ui/Pages/VCockpit/Instruments/PFD/pfd.html", ""}},
         "proj/PackageSources/SimObjects/Airplanes/X/panel/",
         Simulator::MsfsProject,
         "proj/",
         {},
         {"proj/PackageSources/" + kInstruments},
         "MSFS project proj"},
        {"nowhere: a loose panel folder",
         {{"loose/X/panel/panel.cfg", ""}},
         "loose/X/panel/",
         Simulator::None,
         "",
         {},
         {},
         ""},
        {"nowhere: Aircraft with no Gauges beside it",
         {{"bare/aircraft/c/panel/panel.cfg", ""}},
         "bare/aircraft/c/panel/",
         Simulator::None,
         "",
         {},
         {},
         ""},
        {"nowhere: a manifest.json above no SimObjects",
         {{"odd/manifest.json", "{}"}, {"odd/X/panel/panel.cfg", ""}},
         "odd/X/panel/",
         Simulator::None,
         "",
         {},
         {},
         ""},
    };
}

class FindInstallation : public ScratchDirTest {
protected:
    std::vector<std::string> all(const std::vector<std::string>& relative) const {
        std::vector<std::string> paths;
        for (const std::string& path : relative)
            paths.push_back(at(path));
        return paths;
    }
};

TEST_F(FindInstallation, EachSimulatorsLayout) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.what);
        std::filesystem::remove_all(root);
        for (const auto& [path, bytes] : layout.files)
            touch(path, bytes);
        const Installation found = findInstallation(at(layout.panel));
        EXPECT_EQ(found.simulator, layout.simulator);
        EXPECT_EQ(found.root, layout.root.empty() ? "" : at(layout.root));
        EXPECT_EQ(found.gaugesDirs, all(layout.gauges));
        EXPECT_EQ(found.instrumentDirs, all(layout.instruments));
        std::string description = layout.description;
        if (const auto mark = description.find('@'); mark != std::string::npos)
            description.replace(mark, 1, root.string() + "/");
        EXPECT_EQ(found.description(), description);
        EXPECT_TRUE(found.problems.empty());
    }
}

TEST_F(FindInstallation, StockFolderOfTheSettingsComesAfterThePackage) {
    touch("mine/manifest.json", "{}");
    touch("mine/SimObjects/Airplanes/X/panel/panel.cfg");
    touch("Official/Steam/stock/manifest.json", "{}");
    touch("Official/Steam/stock/" + kInstruments + "Generic/g.html");
    const Installation found =
        findInstallation(at("mine/SimObjects/Airplanes/X/panel"), at("Official/"));
    EXPECT_EQ(found.instrumentDirs, all({"Official/Steam/stock/" + kInstruments}));
}

// A broken declaring file is told, and the installation is still found.
TEST_F(FindInstallation, BrokenDeclarationsAreProblems) {
    touch("Community/bad/manifest.json", "{\"title\": ");
    touch("Community/bad/SimObjects/Airplanes/X/panel/panel.cfg");
    touch("Community/huge/manifest.json", std::string(kPackageFileLimit + 1, ' '));
    touch("Community/huge/SimObjects/Airplanes/X/panel/panel.cfg");
    touch("proj/PackageDefinitions/def.xml", "<AssetPackage><AssetGroup>");
    touch("proj/PackageSources/SimObjects/Airplanes/X/panel/panel.cfg");
    const struct {
        const char* panel;
        Simulator simulator;
        const char* problemStart;
    } cases[] = {
        {"Community/bad/SimObjects/Airplanes/X/panel", Simulator::MsfsPackage,
         "manifest.json of bad: "},
        {"Community/huge/SimObjects/Airplanes/X/panel", Simulator::MsfsPackage,
         "manifest.json of huge: larger than 1 MB"},
        {"proj/PackageSources/SimObjects/Airplanes/X/panel", Simulator::MsfsProject,
         "package definition def.xml: "},
    };
    for (const auto& c : cases) {
        const Installation found = findInstallation(at(c.panel));
        EXPECT_EQ(found.simulator, c.simulator) << c.panel;
        ASSERT_EQ(found.problems.size(), 1u) << c.panel;
        EXPECT_TRUE(found.problems[0].starts_with(c.problemStart)) << found.problems[0];
    }
}

TEST(PackageFiles, AssetGroupsLeadToTheInstrumentsSource) {
    const struct {
        FolderMapping mapping;
        std::optional<std::string> source;
    } cases[] = {
        {{"PackageSources/html_ui/", "html_ui/"},
         "PackageSources/html_ui/Pages/VCockpit/Instruments/"},
        {{"src/", ""}, "src/html_ui/Pages/VCockpit/Instruments/"},
        {{"PackageSources/Instruments/MyCo/", "HTML_UI/pages/vcockpit/instruments/MyCo/"},
         "PackageSources/Instruments/"},
        {{"src/other/", "html_ui/Pages/VCockpit/Instruments/MyCo/"},
         std::nullopt}, // the source's names do not show where Instruments/ would be
        {{"PackageSources/html_ui/Pages/VCockpit/Instruments/MyCo/",
          "html_ui/Pages/VCockpit/Instruments/myco/"},
         "PackageSources/html_ui/Pages/VCockpit/Instruments/"},
        {{"PackageSources/SimObjects/", "SimObjects/"}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sourceFolderOf(c.mapping, "html_ui/Pages/VCockpit/Instruments/"), c.source)
            << c.mapping.source;
}

TEST(PackageFiles, BadBytesAreToldNotTrusted) {
    EXPECT_EQ(manifestProblem(R"({"title": "x", "dependencies": []})"), "");
    EXPECT_NE(manifestProblem("[1, 2]"), "");
    EXPECT_NE(manifestProblem(std::string(100000, '[')), "");
    // A million levels of XML cost no stack.
    std::string deep;
    for (int i = 0; i < 1000000; ++i)
        deep += "<a>";
    EXPECT_NE(readPackageDefinition(deep).problem, "");
}

} // namespace
} // namespace cockpix
