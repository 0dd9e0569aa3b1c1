// MSFS panels checked inside a package of a Community folder, with a stock package in the
// Official folder beside it: instruments, WASM modules, queries, textures and section numbers.

#include "template/core/filecheck.h"
#include "template/core/fs2k/checker.h"

#include "base/core/scratchdir.h"
#include "template/core/fs2kfixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

const std::string kPackage = "Packages/Community/test-aircraft/";
const std::string kInstruments = "html_ui/Pages/VCockpit/Instruments/";
const std::string kStock = "Packages/Official/OneStore/asobo-instruments/";

class MsfsInstrumentCheck : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        touch(kPackage + "manifest.json", "{}");
        touch(kPackage + kInstruments + "Own/PFD/PFD.html");
        touch(kPackage + "SimObjects/Airplanes/Test/panel/SYSTEMS.wasm");
        touch(kStock + "manifest.json", "{}");
        touch(kStock + kInstruments + "NavSystems/GPS/PFD.html");
        touch(kStock + kInstruments + "WasmInstrument/WasmInstrument.html");
    }
    std::string panel(const std::string& folder, const std::string& bytes) {
        return touch(kPackage + "SimObjects/Airplanes/Test/" + folder + "/panel.cfg", bytes);
    }
    std::string check(const std::string& file) {
        std::string all;
        // Only the findings of lines: what could not be looked at is said of the whole file.
        for (const Finding& finding : checkPanelFile(file, {}, facts).findings)
            if (finding.line > 0)
                all += findingText(UserText::path("panel.cfg"), finding).toUtf8() + "\n";
        return all;
    }
    CheckFacts facts;
};

std::string withoutLine(std::string text, std::string_view part) {
    const std::size_t at = text.find(part);
    if (at == std::string::npos)
        return text;
    const std::size_t start = text.rfind('\n', at) + 1; // 0 on the first line
    text.erase(start, text.find('\n', at) + 1 - start);
    return text;
}

// A stock instrument is missing only when both the Official and the Community folder are
// known; without the Official folder, even WasmInstrument may be anywhere.
TEST_F(MsfsInstrumentCheck, EachFaultOnItsLineAndStockOnlyWhenOfficialIsKnown) {
    const std::string file = panel("panel", test::fs2kCheckPanel("msfs_instruments.cfg"));
    const std::string expected = test::fs2kCheckPanel("msfs_instruments.expect");
    EXPECT_EQ(check(file), expected);
    fs::remove_all(root / "Packages/Official");
    EXPECT_EQ(check(file), withoutLine(expected, "[stock-instrument-not-found]"));
}

TEST_F(MsfsInstrumentCheck, AVariantsPanelFolderNeedsItsOwnModule) {
    const std::string line =
        "htmlgauge00=WasmInstrument/WasmInstrument.html?wasm_module=systems.wasm&wasm_gauge=a\n";
    EXPECT_EQ(check(panel("panel", "[VCockpit01]\n" + line)), "");
    EXPECT_EQ(check(panel("panel.blue", "[VCockpit01]\n" + line)),
              "panel.cfg:2: error: MSFS finds no WASM module 'systems.wasm' in the panel folder "
              "panel.blue: a variant's panel folder needs its own copy, else the instrument "
              "stays black [wasm-not-found]\n");
}

TEST(MsfsQueryFix, TheSecondQuestionMarkBecomesAnAmpersandOnItsLineAlone) {
    fs2k::PanelLines lines("[VCockpit01]\ntexture=A\n"
                           "htmlgauge00=ND/nd.html?Index=2?duID=4?x=1, 0, 0, 10, 10\n");
    const std::string before = lines.bytes();
    CheckFacts facts;
    const std::vector<Finding> findings =
        fs2k::checkPanel(lines, fs2k::readPanel(lines), Directories(), facts);
    ASSERT_EQ(findings.size(), 1u);
    ASSERT_TRUE(findings[0].fix);
    ASSERT_TRUE(fs2k::applyFix(lines, *findings[0].fix));
    EXPECT_EQ(lines.bytes(),
              before.substr(0, before.find("?duID")) + "&duID=4?x=1, 0, 0, 10, 10\n");
}

} // namespace
} // namespace cockpix
