// cockpix-cli dump: reads a panel.cfg as "&Open" does and prints the model as JSON.

#include "commands.h"
#include "jsonwriter.h"
#include "openpanel.h"

#include "panel/core/panelmodel.h"
#include "panel/core/panelreader.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace cockpix::cli {
namespace {

void printDumpHelp() {
    std::printf("Usage: cockpix-cli dump PANEL_CFG\n\n"
                "Reads PANEL_CFG as the \"&Open\" command does (its directory becomes the panel\n"
                "directory; a [fltsim] alias is followed and reported on stderr) and prints the\n"
                "panel model as JSON on stdout. The settings file is not changed.\n"
                "Exit status: 0 when read, 2 when the file cannot be read or has an abnormal\n"
                "structure, 64 for wrong arguments.\n");
}

void writeGauge(JsonWriter& json, const Gauge& gauge) {
    json.beginObject();
    json.key("gaugeName");
    json.value(gauge.gaugeName);
    json.key("gaugeX");
    json.value(gauge.gaugeX);
    json.key("gaugeY");
    json.value(gauge.gaugeY);
    json.key("gaugeSize");
    json.value(gauge.gaugeSize);
    json.key("gaugeRefSize");
    json.value(gauge.gaugeRefSize);
    json.endObject();
}

void writeWindow(JsonWriter& json, const PanelWindow& window) {
    json.beginObject();
    json.key("windowTitle");
    json.value(window.windowTitle);
    json.key("windowBitmap");
    json.value(window.windowBitmap);
    json.key("windowSizeMm");
    json.value(window.windowSizeMm);
    json.key("windowSizeRatio");
    json.value(window.windowSizeRatio);
    json.key("windowPosition");
    json.value(window.windowPosition);
    json.key("windowVisible");
    json.value(window.windowVisible);
    json.key("windowIdent");
    if (window.windowIdent.isText)
        json.value(window.windowIdent.text);
    else
        json.value(window.windowIdent.number);
    json.key("windowZoom");
    json.value(window.windowZoom);
    json.key("gaugeCount");
    json.value(window.gaugeCount);
    json.key("gauges");
    json.beginArray();
    for (int g = 0; g < window.gaugeCount && g < kGaugeSlots; ++g)
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

std::string modelJson(const PanelModel& model) {
    JsonWriter json;
    json.beginObject();
    json.key("panelDir");
    json.value(model.dirs.panelDir);
    json.key("windowCount");
    json.value(model.windowCount);
    json.key("preambleLine");
    writeLines(json, model.preambleLine, model.preambleLineCount);
    json.key("colorLine");
    writeLines(json, model.colorLine, model.colorLineCount);
    json.key("defaultViewX");
    json.value(model.defaultViewX);
    json.key("defaultViewY");
    json.value(model.defaultViewY);
    json.key("defaultViewSizeX");
    json.value(model.defaultViewSizeX);
    json.key("defaultViewSizeY");
    json.value(model.defaultViewSizeY);
    json.key("windows");
    json.beginArray();
    for (const PanelWindow& window : model.windows)
        writeWindow(json, window);
    json.endArray();
    json.endObject();
    return json.text();
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
    const std::unique_ptr<PanelModel> model = openPanel(args[0]);
    if (!model)
        return kStructureErrorStatus;
    const std::string text = modelJson(*model);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace cockpix::cli
