// The MSFS instruments the Add chooser offers: the .html files under each Instruments folder,
// the panel folder's WASM modules, the first folder's path hiding the same one later, and
// the limits that keep a huge folder from stalling the dialog.

#include "gaugefiles/core/fs2k/instrumentlist.h"

#include "base/core/scratchdir.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

using Paths = std::vector<std::string>;

class InstrumentChoice : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        own = at("own/html_ui/Pages/VCockpit/Instruments") + "/";
        stock = at("stock/html_ui/Pages/VCockpit/Instruments") + "/";
        touch("own/html_ui/Pages/VCockpit/Instruments/Airliners/WTB748/PFD/WTB748_PFD.html");
        touch("own/html_ui/Pages/VCockpit/Instruments/Airliners/WTB748/PFD/WTB748_PFD.js");
        touch("own/html_ui/Pages/VCockpit/Instruments/Airliners/WTB748/Shared/readme.txt");
        touch("stock/html_ui/Pages/VCockpit/Instruments/NavSystems/GPS/PFD/PFD.HTML");
        touch("stock/html_ui/Pages/VCockpit/Instruments/airliners/wtb748/pfd/wtb748_pfd.html");
        touch("stock/html_ui/Pages/VCockpit/Instruments/Bad/a,b.html");
        touch("panel/Systems.WASM");
        touch("panel/panel.cfg");
    }
    std::string own, stock;
};

TEST_F(InstrumentChoice, ListsHtmlFilesAndWasmModulesOnceEach) {
    const fs2k::InstrumentList list = fs2k::listInstruments({own, stock}, at("panel") + "/");
    EXPECT_FALSE(list.cut);
    EXPECT_EQ(list.paths,
              (Paths{"Airliners/WTB748/PFD/WTB748_PFD.html", "NavSystems/GPS/PFD/PFD.HTML",
                     "WasmInstrument/WasmInstrument.html?wasm_module=Systems.WASM&wasm_gauge="}));
    // Missing folders list nothing and break nothing.
    EXPECT_TRUE(fs2k::listInstruments({at("none") + "/", ""}, "").paths.empty());
}

TEST_F(InstrumentChoice, StopsAtItsLimitsSayingSo) {
    struct Case {
        fs2k::InstrumentListLimits limits;
        std::size_t most;
    };
    const Case cases[] = {{{1, 8, 400000}, 1}, {{20000, 8, 3}, 3}, {{20000, 2, 400000}, 0}};
    for (const Case& c : cases) {
        const fs2k::InstrumentList list = fs2k::listInstruments({own, stock}, {}, c.limits);
        EXPECT_TRUE(list.cut || c.limits.depth < 3);
        EXPECT_LE(list.paths.size(), c.most);
    }
}

TEST(InstrumentKinds, PaintingsLieBesideInstrumentsAndAddTakesTheSectionsKind) {
    EXPECT_EQ(fs2k::liveryDirs({"/p/html_ui/Pages/VCockpit/Instruments/", "/q/other/"}),
              (Paths{"/p/html_ui/Pages/VLivery/Liveries/"}));
    const auto kindIn = [](const std::string& text, bool msfs) {
        const fs2k::Panel panel = fs2k::readPanel(fs2k::PanelLines(text));
        return fs2k::kindToAdd(panel.windows.at(0), msfs);
    };
    using K = fs2k::GaugeLineKind;
    EXPECT_EQ(kindIn("[VPainting01]\n", false), K::Painting);
    EXPECT_EQ(kindIn("[VCockpit01]\nhtmlgauge00=a.html\n", false), K::HtmlGauge);
    EXPECT_EQ(kindIn("[VCockpit01]\nhtmlgauge00=a.html\ngauge00=a!b,0,0\n", false), K::Gauge);
    EXPECT_EQ(kindIn("[VCockpit01]\ngauge00=a!b,0,0\n", true), K::HtmlGauge);
    EXPECT_EQ(kindIn("[Window00]\n", true), K::Gauge);
}

} // namespace
} // namespace cockpix
