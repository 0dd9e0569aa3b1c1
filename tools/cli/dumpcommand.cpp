// cockpix-cli dump: reads a panel.cfg as "&Open" does and prints the model as JSON: for an
// FS98 panel the panel model, for an fs2k one what its lines set.

#include "commands.h"
#include "fs2kjson.h"
#include "jsonwriter.h"
#include "mappedfile.h"
#include "openpanel.h"

#include "base/core/filelookup.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelformat.h"
#include "panel/core/panelsource.h"

#include <cstdio>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <system_error>

namespace cockpix::cli {
namespace {

void printDumpHelp() {
    std::printf("Usage: cockpix-cli dump PANEL_CFG\n\n"
                "Reads PANEL_CFG as the \"&Open\" command does (its directory becomes the panel\n"
                "directory; a [fltsim] alias is followed and reported on stderr) and prints the\n"
                "panel model as JSON on stdout; its \"format\" says whether it was read as an\n"
                "FS98 panel or as one of FS2000 and later, whose every window, virtual\n"
                "cockpit, key and gauge line is listed with its line, and each window and\n"
                "virtual cockpit with the values FS reads (\"fsValues\", a value up to its\n"
                "comment). The settings file is not changed.\n"
                "Exit status: 0 when read, 2 when the file cannot be read or has an abnormal\n"
                "structure, 64 for wrong arguments.\n");
}

void writeGauge(JsonWriter& json, const fs98::Gauge& gauge) {
    json.beginObject();
    json.field("gaugeName", gauge.gaugeName);
    json.field("gaugeX", gauge.gaugeX);
    json.field("gaugeY", gauge.gaugeY);
    json.field("gaugeSize", gauge.gaugeSize);
    json.field("gaugeRefSize", gauge.gaugeRefSize);
    json.endObject();
}

// Opening a panel shows every window at zoom 1 (the zoom is display data, not in the file).
constexpr double kOpenedZoom = 1;

void writeWindow(JsonWriter& json, const fs98::PanelWindow& window) {
    json.beginObject();
    json.field("windowTitle", window.windowTitle);
    json.field("windowBitmap", window.windowBitmap);
    json.field("windowSizeMm", window.windowSizeMm);
    json.field("windowSizeRatio", window.windowSizeRatio);
    json.field("windowPosition", window.windowPosition);
    json.field("windowVisible", window.windowVisible);
    json.key("windowIdent");
    if (window.windowIdent.isText)
        json.value(window.windowIdent.text);
    else
        json.value(window.windowIdent.number);
    json.field("windowZoom", kOpenedZoom);
    json.field("gaugeCount", window.gaugeCount);
    json.key("gauges");
    json.beginArray();
    for (int g = 0; g < window.gaugeCount && g < fs98::kGaugeSlots; ++g)
        writeGauge(json, window.gauges[static_cast<std::size_t>(g)]);
    json.endArray();
    json.endObject();
}

template <std::size_t N>
void writeLines(JsonWriter& json, const std::array<std::string, N>& lines, int count) {
    json.beginArray();
    for (int i = 1; i <= count && i < static_cast<int>(N); ++i)
        json.value(lines[static_cast<std::size_t>(i)]);
    json.endArray();
}

std::string modelJson(const OpenedPanel& opened) {
    const fs98::Panel& model = opened.panel;
    JsonWriter json;
    json.beginObject();
    json.field("format", panelFormatName(PanelFormat::Fs98));
    json.field("panelDir", opened.dirs.panelDir);
    json.field("windowCount", model.windowCount);
    json.key("preambleLine");
    writeLines(json, model.preambleLine, model.preambleLineCount);
    json.key("colorLine");
    writeLines(json, model.colorLine, model.colorLineCount);
    json.field("defaultViewX", model.defaultViewX);
    json.field("defaultViewY", model.defaultViewY);
    json.field("defaultViewSizeX", model.defaultViewSizeX);
    json.field("defaultViewSizeY", model.defaultViewSizeY);
    json.key("windows");
    json.beginArray();
    for (const fs98::PanelWindow& window : model.windows)
        writeWindow(json, window);
    json.endArray();
    json.endObject();
    return std::string(json.text());
}

int printText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// A file this big is read as an FS98 panel on a second thread while the format is told, as
// most big files are FS98 panels padded with other tools' lines; the reading is dropped when
// the file turns out to be an fs2k panel or one with an alias.
constexpr std::size_t kReadWhileTellingFrom = 1 << 20;

// The format and alias of bytes; fs98, when the file is big and a thread could be started,
// its FS98 reading (nothing printed yet).
PanelFormatAndAlias detectWhileReadingFs98(const std::string& path, std::string_view bytes,
                                           std::optional<PanelReading>& fs98) {
    std::future<PanelReading> reading;
    if (bytes.size() >= kReadWhileTellingFrom) {
        try {
            reading = std::async(std::launch::async,
                                 [&path, bytes] { return readPanelQuietly(path, &bytes); });
        } catch (const std::system_error&) {
            // No thread: the panel is read after its format is known.
        }
    }
    const PanelFormatAndAlias read = detectPanelFormatAndAlias(bytes, AliasOf::Fs98Only);
    if (reading.valid())
        fs98 = reading.get();
    return read;
}

// Prints the dump and gives the exit status. A panel of FS2000 and later (also at the end
// of an alias) is read from its lines; an FS98 panel by the FS98 reader, from the bytes read
// already when there are some (an unreadable file is read, and reported, as ever).
int dump(const std::string& path) {
    const std::string chosen = fullPath(path);
    {
        // The FS98 panel without an alias, the one of all sizes, is read in place.
        const MappedFile mapped(resolvePathIgnoringCase(chosen));
        const std::string_view bytes = mapped.bytes();
        std::optional<PanelReading> fs98;
        const PanelFormatAndAlias read = detectWhileReadingFs98(path, bytes, fs98);
        if (!bytes.empty() && read.format == PanelFormat::Fs98 && read.alias.empty()) {
            const std::unique_ptr<OpenedPanel> model =
                fs98 ? reportedPanel(std::move(*fs98)) : openPanel(path, bytes);
            return model ? printText(modelJson(*model)) : kStructureErrorStatus;
        }
    }
    PanelSource source = locatePanel(chosen, fs98::panelDirFromChosenPath(chosen));
    if (source.format != PanelFormat::Fs2k) {
        const std::unique_ptr<OpenedPanel> model =
            source.bytes.empty() ? openPanel(path) : openPanel(path, source.bytes);
        return model ? printText(modelJson(*model)) : kStructureErrorStatus;
    }
    for (const std::string& dir : source.reroutes)
        std::fprintf(stderr, "%s\n", fs98::rerouteMessage(dir).toUtf8().c_str());
    const fs2k::PanelLines lines(std::move(source.bytes));
    JsonWriter json(stdout);
    writeFs2kPanelJson(json, lines, fs2k::readPanel(lines, fs2k::Gauges::Left), source.panelDir);
    return json.finish() ? 0 : 1;
}

} // namespace

int runDump(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printDumpHelp();
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "cockpix-cli dump: expected one PANEL_CFG argument "
                             "(see cockpix-cli dump --help)\n");
        return kUsageStatus;
    }
    return dump(panelArgument(args[0]));
}

} // namespace cockpix::cli
