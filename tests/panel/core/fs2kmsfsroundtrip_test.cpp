// MSFS panels written for the tests (tests/fixtures/dump/msfs_*.cfg), in their own line ends,
// LF and CR LF: with no edit the lines are the bytes read; one edit of an instrument, an XML
// gauge, a painting or a section's key changes that line and no other.

#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/panel.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> msfsPanels() {
    std::vector<std::string> texts;
    for (const char* name : {"msfs_panel.cfg", "msfs_variant.cfg"}) {
        const std::string text = test::fileText(fs::path(COCKPIX_FIXTURES_DIR) / "dump" / name);
        for (const char* end : {"", "\n", "\r\n"})
            texts.push_back(*end ? test::withLineEnds(text, end) : text);
    }
    return texts;
}

// The lines of a text, each with its line end.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Which lines of after differ from before, which has as many.
std::vector<std::size_t> changedLines(const std::string& before, const std::string& after) {
    const std::vector<std::string> a = linesOf(before), b = linesOf(after);
    std::vector<std::size_t> changed;
    if (a.size() != b.size())
        return {a.size()};
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            changed.push_back(i);
    }
    return changed;
}

using Edit = std::function<void(fs2k::PanelLines&)>;

void expectOnlyLineChanged(const std::string& text, std::size_t line, const Edit& edit) {
    fs2k::PanelLines lines(text);
    edit(lines);
    EXPECT_EQ(changedLines(text, lines.bytes()), std::vector<std::size_t>{line})
        << text.substr(0, 40);
}

TEST(MsfsPanelRoundTrip, OneEditChangesOneLineAndNoEditNone) {
    int gauges = 0;
    for (const std::string& text : msfsPanels()) {
        const fs2k::PanelLines lines(text);
        EXPECT_EQ(lines.bytes(), text);
        const fs2k::Panel panel = fs2k::readPanel(lines);
        ASSERT_FALSE(panel.windows.empty());
        for (const fs2k::Window& window : panel.windows) {
            for (const fs2k::Gauge& gauge : window.gauges) {
                ++gauges;
                // An instrument without coordinates gets them in its own line.
                expectOnlyLineChanged(text, gauge.line, [&](fs2k::PanelLines& edited) {
                    fs2k::moveGauge(edited, gauge.line, 3, 4);
                    const fs2k::Panel moved = fs2k::readPanel(edited);
                    const fs2k::Gauge* again = nullptr;
                    for (const fs2k::Window& w : moved.windows) {
                        for (const fs2k::Gauge& g : w.gauges)
                            again = g.line == gauge.line ? &g : again;
                    }
                    ASSERT_NE(again, nullptr);
                    EXPECT_EQ(again->kind, gauge.kind);
                    EXPECT_EQ(again->x, 3.0);
                    EXPECT_EQ(again->y, 4.0);
                });
            }
            const fs2k::Key* size = window.find("size_mm");
            ASSERT_NE(size, nullptr);
            expectOnlyLineChanged(text, size->line, [&](fs2k::PanelLines& edited) {
                fs2k::setSectionKey(edited, window.section, "size_mm", "64,32");
            });
        }
    }
    EXPECT_EQ(gauges, 3 * (10 + 1));
}

} // namespace
} // namespace cockpix
