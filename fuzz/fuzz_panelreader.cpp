// panel.cfg files from anywhere: the reader must end every file with a panel or a structural
// error, whatever the bytes, and what it read must always be writable. The same bytes kept
// as the lines of a panel of FS2000 and later must save unchanged, a key set in every window
// must read back as set, and a window added and removed again must come and go whole. Gauge
// lines of every kind (gaugeNN, MSFS's htmlgaugeNN and paintingNN, in [VCockpitNN] and
// [VPaintingNN] sections) read alike one at a time and all at once, and a move of one changes
// its line alone and keeps its kind; the template's table shows every section. The input may
// hold up to three files, separated by a line "%%", laid out as the panel.cfg of the aircraft a, b
// and c of a scratch FS98 tree, so that [fltsim] alias chains between them are followed too.

#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"
#include "panel/core/panelformat.h"
#include "template/core/fs2k/windowtable.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fs98 = cockpix::fs98;
namespace fs2k = cockpix::fs2k;

namespace {

namespace fs = std::filesystem;

const fs::path& scratch() {
    static const fs::path root = [] {
        fs::path dir =
            fs::temp_directory_path() / ("cockpix_fuzz_reader_" + std::to_string(::getpid()));
        for (const char* aircraft : {"a", "b", "c"})
            fs::create_directories(dir / "fs98" / "aircraft" / aircraft / "panel");
        return dir;
    }();
    return root;
}

// Splits off the first file of the input.
std::string_view nextFile(std::string_view& input) {
    const std::size_t split = input.find("\n%%\n");
    const std::string_view file = input.substr(0, split);
    input = split == std::string_view::npos ? std::string_view() : input.substr(split + 4);
    return file;
}

// How many gauges of an input are moved: each move copies the whole file.
constexpr int kMovesChecked = 4;

// The gauge at line in panel, or nullptr.
const fs2k::Gauge* gaugeAt(const fs2k::Panel& panel, std::size_t line) {
    for (const fs2k::Window& window : panel.windows) {
        for (const fs2k::Gauge& gauge : window.gauges) {
            if (gauge.line == line)
                return &gauge;
        }
    }
    return nullptr;
}

// Moves the gauge: its line alone changes, and it stays a gauge of its kind at x 3, y 4.
void checkMove(std::string_view bytes, const fs2k::PanelLines& lines, const fs2k::Gauge& gauge) {
    fs2k::PanelLines edited{std::string(bytes)};
    fs2k::moveGauge(edited, gauge.line, 3, 4);
    if (edited.lineCount() != lines.lineCount())
        std::abort();
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
        if (line != gauge.line && edited.text(line) != lines.text(line))
            std::abort();
    }
    const fs2k::Panel after = fs2k::readPanel(edited);
    const fs2k::Gauge* moved = gaugeAt(after, gauge.line);
    if (!moved || moved->kind != gauge.kind || moved->x != 3.0 || moved->y != 4.0)
        std::abort();
}

void checkGaugeLines(std::string_view bytes, const fs2k::PanelLines& lines,
                     const fs2k::Panel& panel) {
    int moves = 0;
    for (const fs2k::Window& window : panel.windows) {
        std::size_t index = 0;
        fs2k::eachGauge(lines, window, [&](const fs2k::Gauge& gauge) {
            if (index >= window.gauges.size() || window.gauges[index].line != gauge.line ||
                window.gauges[index].kind != gauge.kind)
                std::abort();
            ++index;
        });
        if (index != window.gauges.size())
            std::abort();
        for (int column = 0; column < fs2k::kColumnCount; ++column)
            (void)fs2k::cellText(panel, window, fs2k::Column(column));
        for (const fs2k::Gauge& gauge : window.gauges) {
            (void)fs2k::gaugeLineName(lines, gauge.line);
            if (moves++ < kMovesChecked)
                checkMove(bytes, lines, gauge);
        }
    }
}

// Open then save with no edit gives the same bytes; an edit of each window changes its key.
void checkFs2kPanel(std::string_view bytes) {
    (void)cockpix::detectPanelFormat(bytes);
    cockpix::fs2k::PanelLines lines{std::string(bytes)};
    if (lines.bytes() != bytes)
        std::abort();
    const cockpix::fs2k::Panel panel = cockpix::fs2k::readPanel(lines);
    checkGaugeLines(bytes, lines, panel);
    for (const cockpix::fs2k::Window& window : panel.windows) {
        const std::size_t line =
            cockpix::fs2k::setSectionKey(lines, window.section, "size_mm", "7,8");
        if (lines.value(line) != "7,8" || lines.sectionOf(line) != window.section)
            std::abort();
    }
    if (!panel.windows.empty() && cockpix::fs2k::PanelLines(lines.bytes()).bytes() != lines.bytes())
        std::abort();
    // A new window gets its title and section, and goes again with them.
    const long number = cockpix::fs2k::addWindow(lines, {"new", {{"file", "new.bmp"}}});
    const cockpix::fs2k::Panel added = cockpix::fs2k::readPanel(lines);
    const cockpix::fs2k::Window* window = added.windowOf(number);
    if (!window || !added.titleOf(number) || window->find("file")->value != "new.bmp")
        std::abort();
    cockpix::fs2k::removeWindow(lines, window->section);
    const cockpix::fs2k::Panel removed = cockpix::fs2k::readPanel(lines);
    if (removed.windowOf(number) || removed.titleOf(number))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first file is read from memory, as the reader reads every file; the aliased ones
    // come from the disk, where a file of an earlier input must not linger.
    const std::string_view first = nextFile(input);
    checkFs2kPanel(first);
    for (const char* aircraft : {"b", "c"}) {
        const fs::path file = scratch() / "fs98" / "aircraft" / aircraft / "panel" / "panel.cfg";
        const std::string_view part = nextFile(input);
        std::error_code ignored;
        if (part.empty()) {
            fs::remove(file, ignored);
            continue;
        }
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(part.data(), static_cast<std::streamsize>(part.size()));
    }

    cockpix::fs98::Panel panel;
    std::string panelDir = (scratch() / "fs98" / "aircraft" / "a" / "panel").string() + "/";
    const auto error = cockpix::fs98::readPanelText(panel, panelDir, first, "panel.cfg");
    if (error) {
        if (error->describe().empty())
            std::abort(); // every error says where and why
        return 0;
    }
    cockpix::fs98::applyOpenedRatioRule(panel);
    const std::string text = cockpix::fs98::panelFileText(panel, {}, 0, nullptr);
    if (text.find("[Default View]") == std::string::npos)
        std::abort();
    return 0;
}
