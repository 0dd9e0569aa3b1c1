// cockpix-cli check: reads a panel.cfg as "&Open" does and lists what the panel checker
// finds, one finding a line in the form compilers use, or as JSON.

#include "commands.h"
#include "gaugedirectories.h"
#include "jsonwriter.h"
#include "openpanel.h"

#include "template/core/panelchecker.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace cockpix::cli {
namespace {

constexpr int kFindingsStatus = 1;

void printCheckHelp() {
    std::printf(
        "Usage: cockpix-cli check PANEL_CFG [--json] [--gauges-dir DIR] [--bmp-dir DIR]\n\n"
        "Reads PANEL_CFG as the \"&Open\" command does and checks the panel: the lines the\n"
        "reader passes over or takes for another key, gauge modules missing from the gauges\n"
        "directory or used twice, background bitmaps missing or unreadable, gauges off their\n"
        "window, values outside what FS98 knows. Each finding is one line on stdout,\n"
        "  PANEL_CFG:LINE: error|warning: TEXT [code]\n"
        "in line order; --json prints them as one JSON object instead. The gauge modules are\n"
        "looked for in --gauges-dir; without it, in the gauges folder of the FS98 installation\n"
        "PANEL_CFG lies in (FS98/gauges beside FS98/aircraft/NAME/panel), else in the settings\n"
        "file's gauges directory. Nothing is written.\n"
        "Exit status: 0 when nothing was found, 1 when there are findings, 2 when PANEL_CFG\n"
        "cannot be read (the finding says where and why), 64 for wrong arguments.\n");
}

void printJson(const std::string& file, const std::vector<Finding>& findings) {
    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.utf8Value(file);
    json.key("findings");
    json.beginArray();
    for (const Finding& finding : findings) {
        json.beginObject();
        json.field("line", finding.line);
        json.key("severity");
        json.utf8Value(severityName(finding.severity));
        json.key("code");
        json.utf8Value(finding.code);
        json.key("text");
        json.utf8Value(finding.text.toUtf8());
        if (finding.window >= 0)
            json.field("window", finding.window);
        if (finding.gauge >= 0)
            json.field("gauge", finding.gauge);
        if (finding.fix) {
            json.key("fix");
            json.utf8Value(finding.fix->label);
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    std::fwrite(json.text().data(), 1, json.text().size(), stdout);
}

} // namespace

int runCheck(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printCheckHelp();
        return 0;
    }
    std::vector<std::string> rest(args.begin(), args.end());
    const bool asJson = std::erase(rest, std::string("--json")) > 0;
    GaugeCommandLine line = parseGaugeCommandLine(rest);
    if (!line.error.empty() || line.positional.size() != 1) {
        std::fprintf(stderr, "cockpix-cli check: %s (see cockpix-cli check --help)\n",
                     line.error.empty() ? "expected one PANEL_CFG argument" : line.error.c_str());
        return kUsageStatus;
    }
    const std::string given = line.positional.front();
    settleDirectoriesForPanel(line, fullPath(given));
    CheckFacts facts;
    const FileCheck check = checkPanelFile(fullPath(given), line.dirs, facts);
    // Lines are those of the file read: the one given, or the one its alias led to.
    const std::string file = check.readError ? (check.rerouted ? check.readError->file : given)
                                             : (check.rerouted ? check.trace.file : given);
    if (asJson) {
        printJson(file, check.findings);
    } else {
        for (const Finding& finding : check.findings)
            std::printf("%s\n", findingText(UserText::path(file), finding).toUtf8().c_str());
    }
    if (std::fflush(stdout) != 0)
        return kFindingsStatus;
    if (check.readError)
        return kStructureErrorStatus;
    return check.findings.empty() ? 0 : kFindingsStatus;
}

} // namespace cockpix::cli
