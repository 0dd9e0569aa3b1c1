#include "panel/core/fs2k/edits.h"

#include "panel/core/fs2k/panel.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

// The words of an edit line; a word in double quotes keeps its blanks and reads \r, \n and
// \t as those bytes.
std::vector<std::string> editWords(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> std::ws && !in.eof();) {
        if (in.peek() != '"') {
            in >> word;
            words.push_back(word);
            continue;
        }
        in.get();
        word.clear();
        for (char c; in.get(c) && c != '"';)
            word += c == '\\' && in.get(c) ? (c == 'r' ? '\r' : c == 'n' ? '\n' : '\t') : c;
        words.push_back(word);
    }
    return words;
}

// Applies the edits of an edits.txt to lines, one a line: the edit's name (with "!" when it
// must be refused) and its words. A line is named by its number or its first letters, a
// section by its number or as wN, the section of window N; "-" is a size not given.
class EditScript {
public:
    explicit EditScript(fs2k::PanelLines& lines) : m_lines(lines) {}

    void run(const std::vector<std::string>& w) {
        const std::string& edit = w[0];
        const bool refused = edit.back() == '!';
        const std::string name = refused ? edit.substr(0, edit.size() - 1) : edit;
        if (name == "move")
            fs2k::moveGauge(m_lines, line(w[1]), num(w[2]), num(w[3]));
        else if (name == "resize")
            fs2k::resizeGauge(m_lines, line(w[1]), num(w[2]),
                              w.size() > 3 ? size(w[3]) : std::nullopt);
        else if (name == "moves") {
            std::vector<fs2k::GaugeMove> moves;
            for (std::size_t i = 1; i + 2 < w.size(); i += 3)
                moves.push_back({line(w[i]), num(w[i + 1]), num(w[i + 2])});
            fs2k::moveGauges(m_lines, moves);
        } else if (name == "place") {
            std::vector<fs2k::GaugePlacement> places;
            for (std::size_t i = 1; i + 4 < w.size(); i += 5)
                places.push_back(placement(w, i));
            fs2k::placeGauges(m_lines, places);
        } else if (name == "cut") {
            std::vector<std::size_t> cut;
            for (std::size_t i = 1; i < w.size(); ++i)
                cut.push_back(line(w[i]));
            fs2k::removeGauges(m_lines, cut);
        } else if (name == "text")
            EXPECT_EQ(fs2k::setGaugeText(m_lines, line(w[1]), w[2]), !refused);
        else if (name == "remove")
            EXPECT_EQ(fs2k::removeGauge(m_lines, line(w[1])), !refused);
        else if (name == "changes")
            EXPECT_EQ(fs2k::changesGauge(m_lines, placement(w, 1)), !refused);
        else if (name == "add") {
            m_added = fs2k::addGauge(m_lines, section(w[1]),
                                     {w[2], num(w[3]), num(w[4]),
                                      w.size() > 5 ? size(w[5]) : std::nullopt,
                                      w.size() > 6 ? size(w[6]) : std::nullopt});
            EXPECT_EQ(m_added == fs2k::PanelLines::npos, refused);
        } else if (name == "added")
            EXPECT_EQ(m_added, std::stoul(w[1]));
        else if (name == "fields")
            EXPECT_EQ(fs2k::gaugeEditFields(m_lines, line(w[1])),
                      std::vector<std::string_view>(w.begin() + 2, w.end()));
        else if (name == "set-key")
            fs2k::setSectionKey(m_lines, section(w[1]), w[2], w[3]);
        else if (name == "remove-key")
            EXPECT_EQ(fs2k::removeSectionKey(m_lines, section(w[1]), w[2]), !refused);
        else if (name == "add-window") {
            fs2k::NewWindow window{w[1], {}};
            for (std::size_t i = 2; i < w.size(); ++i)
                window.keys.push_back(
                    {w[i].substr(0, w[i].find('=')), w[i].substr(w[i].find('=') + 1)});
            m_added = static_cast<std::size_t>(fs2k::addWindow(m_lines, window));
        } else if (name == "remove-window")
            fs2k::removeWindow(m_lines, section(w[1]));
        else
            ADD_FAILURE() << "no edit " << edit;
    }

private:
    static double num(const std::string& word) { return std::stod(word); }
    static std::optional<double> size(const std::string& word) {
        return word == "-" ? std::nullopt : std::optional<double>(num(word));
    }
    fs2k::GaugePlacement placement(const std::vector<std::string>& w, std::size_t i) const {
        return {line(w[i]), num(w[i + 1]), num(w[i + 2]), size(w[i + 3]), size(w[i + 4])};
    }
    std::size_t line(const std::string& word) const {
        if (std::isdigit(static_cast<unsigned char>(word[0])))
            return std::stoul(word);
        for (std::size_t line = 0; line < m_lines.lineCount(); ++line) {
            if (m_lines.text(line).starts_with(word))
                return line;
        }
        ADD_FAILURE() << "no line " << word;
        return 0;
    }
    std::size_t section(const std::string& word) const {
        if (word[0] != 'w')
            return std::stoul(word);
        const fs2k::Panel panel = fs2k::readPanel(m_lines);
        const fs2k::Window* window = panel.windowOf(std::stol(word.substr(1)));
        return window ? window->section : fs2k::PanelLines::npos;
    }

    fs2k::PanelLines& m_lines;
    std::size_t m_added = 0;
};

TEST(Fs2kNumberText, WholeNumbersPlainAndOthersShortestWithoutExponent) {
    EXPECT_EQ(fs2k::valueText(123), "123");
    EXPECT_EQ(fs2k::valueText(-0.0), "0");
    EXPECT_EQ(fs2k::valueText(-2.25), "-2.25");
    EXPECT_EQ(fs2k::valueText(1e20), "100000000000000000000");
    EXPECT_EQ(fs2k::valueText(1.5e-7), "0.00000015");
    EXPECT_EQ(fs2k::valueText(std::nan("")), "0");
    for (const double value :
         {1.0 / 3, 123456.789012345678, 1e-300, std::numeric_limits<double>::max()}) {
        const std::string text = fs2k::valueText(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    }
}

// Each folder of tests/fixtures/fs2kedit: the panel its edits.txt names, edited as it says,
// gives the bytes of its expected.cfg. Each edit changes its own lines only, and of a gauge
// line only the fields it sets, keeping the blanks, the fields after, a comment and the line
// end; with "ends both", the same with every line end made LF.
TEST(Fs2kGaugeEdits, EachEditScenarioGivesItsExpectedBytes) {
    int cases = 0;
    for (const auto& dir : fs::directory_iterator(fs::path(COCKPIX_FIXTURES_DIR) / "fs2kedit")) {
        if (!dir.is_directory())
            continue;
        ++cases;
        std::istringstream script(test::fileText(dir.path() / "edits.txt"));
        std::vector<std::vector<std::string>> edits;
        for (std::string line; std::getline(script, line);) {
            if (!line.empty() && line[0] != '#')
                edits.push_back(editWords(line));
        }
        const std::string before = test::fileText(dir.path() / edits.at(0).at(1));
        const std::string after = test::fileText(dir.path() / "expected.cfg");
        const bool both = edits.size() > 1 && edits[1] == std::vector<std::string>{"ends", "both"};
        for (const std::string end : {"\r\n", "\n"}) {
            if (end == "\n" && !both)
                break;
            SCOPED_TRACE(dir.path().filename().string() + (end == "\n" ? " (LF)" : ""));
            fs2k::PanelLines lines(end == "\n" ? test::withLineEnds(before, end) : before);
            EditScript edit(lines);
            for (std::size_t i = both ? 2 : 1; i < edits.size(); ++i)
                edit.run(edits[i]);
            EXPECT_EQ(lines.bytes(), end == "\n" ? test::withLineEnds(after, end) : after);
        }
    }
    EXPECT_GE(cases, 17);
}

// Pasted lines keep their text after "="; a shifted one has its x and y set; one with a
// line end is left out.
TEST(Fs2kGaugeEdits, PastedGaugesKeepTheirText) {
    fs2k::PanelLines lines(test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "fs2kedit/gauges.cfg"));
    const std::vector<fs2k::PastedGauge> pasted = {
        {"Cessna!Clock", " Cessna!Clock,10,20, 5 ,, ON // mine", false, 0, 0},
        {"Radio!Adf", "Radio!Adf, 1, 2", true, 11, 12},
        {"Bad", "Bad, 1\ngauge09=x", false, 0, 0}};
    const std::vector<std::size_t> added = fs2k::addGaugeLines(lines, 2, pasted);
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[2], fs2k::PanelLines::npos);
    EXPECT_EQ(lines.text(added[0]), "Gauge02= Cessna!Clock,10,20, 5 ,, ON // mine");
    EXPECT_EQ(lines.text(added[1]), "Gauge03=Radio!Adf, 11, 12");

    fs2k::PanelLines many("[Window00]\n");
    for (long n = 0; n < 124; ++n)
        fs2k::addGauge(many, 0, {"m!g", 0, 0, {}, {}});
    EXPECT_EQ(many.text(8), "gauge07=m!g, 0, 0");
    EXPECT_EQ(many.text(124), "gauge123=m!g, 0, 0");
}

} // namespace
} // namespace cockpix
