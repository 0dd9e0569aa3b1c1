#include "panel/core/fs2k/panel.h"

#include "base/core/atomicfile.h"
#include "base/core/blanks.h"
#include "base/core/scratchdir.h"
#include "panel/core/fs2k/edits.h"
#include "panel/core/panelsave.h"
#include "panel/core/panelsource.h"
#include "support/paneltext.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

using test::fileText;

std::string fixture(const std::string& name) {
    return fileText(fs::path(COCKPIX_FIXTURES_DIR) / "fs2k" / name);
}

// Each panel of tests/fixtures/later reads into what its .model file holds: titles, windows
// and other sections in file order, keys as written, and of each gauge its name, its field
// count and the numbers FS takes from it (never an infinity or NaN).
TEST(Fs2kPanel, EachFixtureReadsIntoItsModel) {
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "fs2k")) {
        if (entry.path().extension() != ".cfg")
            continue;
        ++cases;
        const fs2k::PanelLines lines(fileText(entry.path()));
        const fs::path model = fs::path(entry.path()).replace_extension(".model");
        EXPECT_EQ(test::fs2kPanelText(lines, fs2k::readPanel(lines)), fileText(model))
            << entry.path();
    }
    EXPECT_GE(cases, 6);
}

// What C makes of a field: its leading number, as the general decimal conversion reads it
// (one out of range is the largest number or 0; no number, or no finite one, is none).
std::optional<double> generalNumber(std::string field) {
    if (!field.empty() && field.front() == '+')
        field.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error == std::errc::result_out_of_range) {
        const double huge = std::strtod(field.c_str(), nullptr);
        return huge == 0  ? 0.0
               : huge < 0 ? -std::numeric_limits<double>::max()
                          : std::numeric_limits<double>::max();
    }
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The quick reading of plain decimals gives every field the value the general conversion
// gives it, to the last bit, whatever the field looks like.
TEST(Fs2kPanel, GaugeFieldsReadAsTheGeneralDecimalConversion) {
    // clang-format off
    std::vector<std::string> fields = {
        "0", "-0", "+0", "7", "-7", "+7", "+-5", "-+5", "--5", "1.", ".5", "-.5", ".", "-", "+",
        "", "0.1", "0.2", "0.3", "2.675", "1.005", "0.1234567890123", "123456789012345",
        "1234567890123456", "999999999999999", "9007199254740993", "0.000000000000001",
        "0.0000000000000001", "00000000000000012", "1e5", "1E5", "1.5e-3", "1e", "1e+", "2.5.1",
        "12abc", "12 34", "0x10", "inf", "-inf", "nan", "1e400", "-1e400", "1e-400", "4.9e-324",
        "1.7976931348623157e308", "100000", "-273.15", "3.14159265358979", "0.30000000000000004",
        "1,5", "5\t", "٣", "  7  ", "\t-3.5\t", " +12 ", "5 6", " . ", "1 .5", "- 5"};
    // clang-format on
    // And fields made at random of what numbers are made of, on fixed seeds.
    std::mt19937 engine(17);
    const std::string_view alphabet = "0123456789 .-+e\t";
    for (int i = 0; i < 2000; ++i) {
        fields.emplace_back();
        for (std::size_t n = engine() % 20; n > 0; --n)
            fields.back() += alphabet[engine() % alphabet.size()];
    }
    std::string text = "[Window00]\r\nfile=a.bmp\r\n";
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += "gauge" + std::to_string(i) + "=m!g, " + fields[i] + ", 0\r\n";
    // And every count of fields, empty ones too: the count is that of the fields listed.
    const std::vector<std::string> tails = {
        "", ",", ",,", ", 1, 2, 3, 4", ", 1, 2, 3, 4,", ",1,2,3,4,5,6,,", ",,,,,,,,,,x"};
    for (std::size_t i = 0; i < tails.size(); ++i)
        text += "gauge" + std::to_string(fields.size() + i) + "=m!g" + tails[i] + "\r\n";
    const fs2k::PanelLines lines(text);
    const fs2k::Panel panel = fs2k::readPanel(lines);
    ASSERT_EQ(panel.windows.at(0).gauges.size(), fields.size() + tails.size());
    for (const fs2k::Gauge& gauge : panel.windows[0].gauges)
        EXPECT_EQ(gauge.fieldCount, fs2k::gaugeFields(lines, gauge.line).size())
            << lines.text(gauge.line);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<double> x = panel.windows[0].gauges[i].x;
        const std::optional<double> expected = generalNumber(std::string(trimmedBlanks(fields[i])));
        ASSERT_EQ(x.has_value(), expected.has_value()) << "'" << fields[i] << "'";
        if (x) {
            EXPECT_EQ(*x, *expected) << "'" << fields[i] << "'";
            EXPECT_EQ(std::signbit(*x), std::signbit(*expected)) << "'" << fields[i] << "'";
        }
    }
}

// A big panel is read on more than one thread: its windows still come in file order, each
// with its own keys and gauges, whatever sections lie between them.
TEST(Fs2kPanel, ABigPanelReadsItsWindowsInFileOrder) {
    std::string text = "[Window Titles]\r\nWindow00=Main\r\n";
    std::size_t line = 2;
    std::vector<std::size_t> gaugeLines;
    for (int w = 0; w < 12; ++w) {
        if (w == 5) {
            text += "[VIEWS]\r\nVIEW_FORWARD_WINDOWS=0\r\n";
            line += 2;
        }
        const bool cockpit = w % 4 == 3;
        text += (cockpit ? "[Vcockpit" : "[Window") + std::to_string(30 - w) +
                "]\r\nident=" + std::to_string(w) + "\r\n";
        line += 2;
        for (int g = 0; g < 3000 - w * 100; ++g) {
            text += "gauge" + std::to_string(g) + "=m!g, " + std::to_string(w) + ", " +
                    std::to_string(g) + "\r\n";
            gaugeLines.push_back(line++);
        }
    }
    const fs2k::PanelLines lines(text);
    const fs2k::Panel panel = fs2k::readPanel(lines);
    ASSERT_EQ(panel.windows.size(), 12u);
    ASSERT_TRUE(panel.views);
    std::size_t next = 0;
    for (int w = 0; w < 12; ++w) {
        const fs2k::Window& window = panel.windows[static_cast<std::size_t>(w)];
        EXPECT_EQ(window.number, 30 - w);
        EXPECT_EQ(window.kind, w % 4 == 3 ? fs2k::WindowKind::Vcockpit : fs2k::WindowKind::Window);
        ASSERT_EQ(window.keys.size(), 1u);
        EXPECT_EQ(window.keys[0].value, std::to_string(w));
        ASSERT_EQ(window.gauges.size(), static_cast<std::size_t>(3000 - w * 100));
        for (std::size_t g = 0; g < window.gauges.size(); ++g) {
            const fs2k::Gauge& gauge = window.gauges[g];
            ASSERT_EQ(gauge.number, static_cast<long>(g));
            ASSERT_EQ(gauge.x, w);
            ASSERT_EQ(gauge.y, static_cast<double>(g));
            ASSERT_EQ(gauge.line, gaugeLines[next++]);
        }
    }
    // Without its gauges, as a dump reads it, the same windows.
    const fs2k::Panel left = fs2k::readPanel(lines, fs2k::Gauges::Left);
    ASSERT_EQ(left.windows.size(), 12u);
    EXPECT_EQ(left.windows[7].number, 23);
    EXPECT_TRUE(left.windows[7].gauges.empty());
}

// Reading the gauges one at a time, as a dump does, gives the gauges a full read keeps.
TEST(Fs2kPanel, GaugesReadOneAtATimeAreTheKeptOnes) {
    for (const auto& entry : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "fs2k")) {
        const fs2k::PanelLines lines(fileText(entry.path()));
        const fs2k::Panel kept = fs2k::readPanel(lines);
        const fs2k::Panel left = fs2k::readPanel(lines, fs2k::Gauges::Left);
        ASSERT_EQ(left.windows.size(), kept.windows.size());
        for (std::size_t w = 0; w < kept.windows.size(); ++w) {
            EXPECT_TRUE(left.windows[w].gauges.empty());
            EXPECT_EQ(left.windows[w].keys.size(), kept.windows[w].keys.size());
            std::vector<fs2k::Gauge> gauges;
            fs2k::eachGauge(lines, left.windows[w],
                            [&](const fs2k::Gauge& gauge) { gauges.push_back(gauge); });
            ASSERT_EQ(gauges.size(), kept.windows[w].gauges.size()) << entry.path();
            for (std::size_t g = 0; g < gauges.size(); ++g) {
                const fs2k::Gauge& a = gauges[g];
                const fs2k::Gauge& b = kept.windows[w].gauges[g];
                EXPECT_EQ(std::tie(a.number, a.fieldCount, a.x, a.y, a.width, a.height, a.line),
                          std::tie(b.number, b.fieldCount, b.x, b.y, b.width, b.height, b.line));
            }
        }
    }
}

// FS reads a value up to a ";" or "//" comment; an edit of the value keeps the comment and
// the blanks before it, and a comment's numbers are no fields of a gauge.
TEST(Fs2kPanel, ValuesStopAtACommentThatEditsKeep) {
    struct Case {
        const char* line;
        const char* value;
        const char* edited; // the value set to 900,860
    };
    for (const Case& c :
         {Case{"size_mm=847,860 ; Adding padding", "847,860", "size_mm=900,860 ; Adding padding"},
          {"size_mm=1170, 1280;", "1170, 1280", "size_mm=900,860;"},
          {"window_size= 0.184, 0.485 ///window_size= 0.290, 0.750", "0.184, 0.485",
           "window_size= 900,860 ///window_size= 0.290, 0.750"},
          {"size_mm= // none yet", "", "size_mm=900,860 // none yet"},
          {"size_mm=800,600", "800,600", "size_mm=900,860"},
          {"file=a/b+c?d/e/f.bmp ; x", "a/b+c?d/e/f.bmp", "file=900,860 ; x"},
          {"file=panel/a.bmp", "panel/a.bmp", "file=900,860"}}) {
        fs2k::PanelLines lines(std::string("[Window00]\r\n") + c.line + "\r\n");
        const fs2k::Key key = fs2k::readPanel(lines).windows.at(0).keys.at(0);
        EXPECT_EQ(key.value, c.value) << c.line;
        fs2k::setSectionKey(lines, 0, key.key, "900,860");
        EXPECT_EQ(lines.text(1), c.edited) << c.line;
    }

    fs2k::PanelLines lines("[Window00]\ngauge00=Hud!F35, 10,20 // was 30,40\n"
                           "gauge01=Hud!F35, 10,20, 5 ; 6\n");
    const fs2k::Window window = fs2k::readPanel(lines).windows.at(0);
    EXPECT_EQ(window.gauges[0].fieldCount, 2u);
    EXPECT_FALSE(window.gauges[0].width);
    EXPECT_FALSE(window.gauges[1].height);
    fs2k::resizeGauge(lines, window.gauges[0].line, 30, 40);
    fs2k::resizeGauge(lines, window.gauges[1].line, 7, 8);
    EXPECT_EQ(lines.text(1), "gauge00=Hud!F35, 10,20, 30, 40 // was 30,40");
    EXPECT_EQ(lines.text(2), "gauge01=Hud!F35, 10,20, 7, 8 ; 6");
    EXPECT_TRUE(fs2k::setGaugeText(lines, 2, "Hud!F35, 1, 2"));
    EXPECT_EQ(lines.text(2), "gauge01=Hud!F35, 1, 2 ; 6");
}

class Fs2kPanelSave : public ScratchDirTest {};

// A save keeps the previous bytes as the next backup, as an FS98 save does.
TEST_F(Fs2kPanelSave, WritesTheEditedLinesAndKeepsTheOldFileAsABackup) {
    const std::string text = fixture("mixed_sections.cfg");
    const std::string path = touch("plane/panel/Panel.CFG", text);
    fs2k::PanelLines lines(text);
    fs2k::setSectionKey(lines, fs2k::readPanel(lines).windowOf(0)->section, "visible", "0");
    const SaveResult result = savePanelBytes(lines.bytes(), at("plane/panel/"), path);
    ASSERT_TRUE(result.written) << result.message.toUtf8();
    EXPECT_TRUE(result.backupMade);
    EXPECT_EQ(fileText(path), lines.bytes());
    EXPECT_EQ(fileText(at("plane/panel/panel.c1")), text);
}

// Many later aircraft have a panel.cfg of only "[fltsim] alias=": the panel it leads to
// decides the format. A chain of FS98 panels is left to the FS98 reader from its start.
TEST_F(Fs2kPanelSave, AnAliasLeadsToTheFormatOfThePanelItNames) {
    const std::string later = fixture("vcockpit_only.cfg");
    touch("fs/aircraft/Big Jet/PANEL/panel.cfg", later);
    const std::string alias = touch("fs/aircraft/twin/panel/panel.cfg",
                                    "// shared panel\r\n[fltsim]\r\nalias = big jet\\panel\r\n");
    const PanelSource source = locatePanel(alias, at("fs/aircraft/twin/panel/"));
    EXPECT_EQ(source.format, PanelFormat::Fs2k);
    EXPECT_EQ(source.panelDir, at("fs/aircraft/Big Jet/PANEL/"));
    EXPECT_EQ(source.reroutes, std::vector<std::string>{source.panelDir});
    EXPECT_EQ(source.bytes, later);

    touch("fs/aircraft/old/panel/panel.cfg", "[fltsim]\r\nalias=twin\\panel\r\n");
    touch("fs/aircraft/twin/panel/panel.cfg", "[fltsim]\r\nalias=old\\panel\r\n"); // a loop
    const PanelSource fs98 =
        locatePanel(at("fs/aircraft/old/panel/panel.cfg"), at("fs/aircraft/old/panel/"));
    EXPECT_EQ(fs98.format, PanelFormat::Fs98);
    EXPECT_EQ(fs98.file, at("fs/aircraft/old/panel/panel.cfg"));
    EXPECT_TRUE(fs98.reroutes.empty());
}

// Where only FSX to MSFS keep panels, a file that FS98 could read (a few windows with a
// file= each, or nothing at all) is still read line by line; FS98's own place keeps FS98's.
TEST_F(Fs2kPanelSave, APanelBelowSimObjectsOrInAPackageIsNeverFs98) {
    const std::string fs98Text = "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\n"
                                 "file=main.bmp\r\nsize_mm=640,480\r\n";
    touch("pkg/manifest.json", "{}");
    const std::string places[] = {"fsx/SimObjects/Airplanes/Jet/panel/panel.cfg",
                                  "msfs/Community/pkg/SIMOBJECTS/AIRPLANES/a/panel.v/panel.cfg",
                                  "pkg/attachments/pub/part/panel/panel.cfg",
                                  "pkg/x/y/panel/panel.cfg"};
    for (const std::string& place : places) {
        const std::string path = touch(place, fs98Text);
        EXPECT_EQ(locatePanel(path, directoryOf(path)).format, PanelFormat::Fs2k) << place;
    }
    const std::string fs98 = touch("fs98/aircraft/c182/panel/panel.cfg", fs98Text);
    EXPECT_EQ(locatePanel(fs98, directoryOf(fs98)).format, PanelFormat::Fs98);
    // MSFS accepts an empty or comment-only panel.cfg: a panel without windows.
    for (const char* text : {"", "// nothing yet\r\n; really\r\n\r\n"}) {
        const std::string empty = touch("fs98/aircraft/new/panel/panel.cfg", text);
        EXPECT_EQ(locatePanel(empty, directoryOf(empty)).format, PanelFormat::Fs2k) << text;
    }

    // Below SimObjects an alias names a folder beside the aircraft's.
    const std::string white = touch("msfs/SimObjects/Airplanes/Asobo_CJ4/panel.whitereg/panel.cfg",
                                    "[VCockpit01]\r\nsize_mm=10,10\r\n");
    const std::string alias = touch("msfs/SimObjects/Airplanes/mine/panel/panel.cfg",
                                    "[fltsim]\r\nalias=asobo_cj4\\PANEL.WHITEREG\r\n");
    const PanelSource led = locatePanel(alias, directoryOf(alias));
    EXPECT_EQ(led.file, white);
    EXPECT_EQ(led.format, PanelFormat::Fs2k);
}

} // namespace
} // namespace cockpix
