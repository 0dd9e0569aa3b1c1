#include "panel/core/fs98/reader.h"

#include "base/core/binarydata.h"
#include "base/core/filelookup.h"
#include "base/core/linescanner.h"
#include "panel/core/fs98/scan.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <set>

namespace cockpix::fs98 {

namespace {

// A chain of aliases longer than this is taken for a loop that visits no directory twice
// only because the names keep changing (never the case in a real FS98 installation).
constexpr int kMaxReroutes = 16;

// Two spellings of one directory ("a/x/../b/", "a/b") compare equal.
std::string directoryKey(const std::string& dir) {
    std::string trimmed = dir;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(trimmed, ec);
    return ec ? trimmed : canonical.string();
}

} // namespace

std::string ReadError::describe() const {
    std::string text;
    if (!file.empty())
        text += file + ": ";
    if (line > 0)
        text += "line " + std::to_string(line) + ": ";
    return text + reason;
}

UserText ReadError::describeText() const {
    UserText text;
    if (!file.empty())
        text += UserText::path(file) + ": ";
    if (line > 0)
        text += "line " + std::to_string(line) + ": ";
    return text + reason;
}

UserText rerouteMessage(std::string_view panelDir) {
    return "'panel.cfg' rerouted CockPix to [" + UserText::path(panelDir) + "]";
}

std::string panelDirFromChosenPath(std::string_view chosenPath) {
    // The panel is always the directory's panel.cfg, so the directory is what counts: the
    // chosen file's own directory, whatever the file is called (cutting the length of
    // "panel.cfg" would point a "my.cfg" at the wrong directory). The case is kept as the
    // dialog gave it: on a file system that minds case a lower-cased path names nothing.
    const std::size_t start = chosenPath.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return "/";
    chosenPath.remove_prefix(start);
    const std::size_t slash = chosenPath.rfind('/');
    if (slash == std::string_view::npos)
        return "/";
    return std::string(chosenPath.substr(0, slash + 1));
}

namespace {

// One line record per line of content, all NotRead, for the scan to fill.
void startTrace(PanelLineTrace* trace, const std::string& file, std::string_view content) {
    if (trace == nullptr)
        return;
    trace->file = file;
    trace->content = std::string(content);
    LineScanner lines(content);
    int count = 0;
    while (lines.next())
        ++count;
    trace->lines.assign(static_cast<std::size_t>(count) + 1, TracedLine{});
}

std::optional<ReadError> readText(Panel& panel, std::string& panelDir, std::string_view content,
                                  const std::string& fileLabel, const RerouteHandler& onReroute,
                                  PanelLineTrace* trace) {
    std::set<std::string> visited{directoryKey(panelDir)};
    std::string file = fileLabel;
    std::string loaded;
    for (int reroutes = 0;; ++reroutes) {
        PanelScan::Outcome outcome;
        startTrace(trace, file, content);
        // A program or a picture chosen by mistake would read as an empty template with a
        // finding for every line of noise.
        if (holdsBinaryData(content))
            return ReadError{file, 0, std::string(kBinaryDataReason)};
        try {
            outcome = PanelScan(panel, content, panelDir, trace).run();
        } catch (const ScanStop& stop) {
            return ReadError{file, stop.line, stop.reason};
        } catch (const std::bad_alloc&) {
            return ReadError{file, 0, "not enough memory to read the file"};
        }
        if (!outcome.rerouted)
            return std::nullopt;
        if (reroutes >= kMaxReroutes)
            return ReadError{file, outcome.aliasLine,
                             "more than " + std::to_string(kMaxReroutes) + " alias reroutes"};
        if (!visited.insert(directoryKey(outcome.newPanelDir)).second)
            return ReadError{file, outcome.aliasLine,
                             "the alias leads back to " + outcome.newPanelDir +
                                 ", which was already read"};

        panelDir = outcome.newPanelDir;
        if (onReroute)
            onReroute(panelDir);
        file = resolvePathIgnoringCase(panelDir + "panel.cfg");
        std::optional<std::string> next = readWholeFile(file);
        if (!next)
            return ReadError{file, 0, std::string(kCannotOpenReason)};
        loaded = std::move(*next);
        content = loaded;
    }
}

std::optional<ReadError> readFile(Panel& panel, std::string& panelDir, const std::string& path,
                                  const RerouteHandler& onReroute, PanelLineTrace* trace) {
    const std::string found = resolvePathIgnoringCase(path);
    const std::optional<std::string> content = readWholeFile(found);
    if (!content) {
        startTrace(trace, path, {});
        return ReadError{path, 0, std::string(kCannotOpenReason)};
    }
    return readText(panel, panelDir, *content, found, onReroute, trace);
}

} // namespace

std::optional<ReadError> readPanelText(Panel& panel, std::string& panelDir,
                                       std::string_view content, const std::string& fileLabel,
                                       const RerouteHandler& onReroute) {
    return readText(panel, panelDir, content, fileLabel, onReroute, nullptr);
}

std::optional<ReadError> readPanelText(Panel& panel, std::string& panelDir,
                                       std::string_view content, const std::string& fileLabel,
                                       const RerouteHandler& onReroute, PanelLineTrace& trace) {
    return readText(panel, panelDir, content, fileLabel, onReroute, &trace);
}

std::optional<ReadError> readPanelFile(Panel& panel, std::string& panelDir, const std::string& path,
                                       const RerouteHandler& onReroute) {
    return readFile(panel, panelDir, path, onReroute, nullptr);
}

std::optional<ReadError> readPanelFile(Panel& panel, std::string& panelDir, const std::string& path,
                                       const RerouteHandler& onReroute, PanelLineTrace& trace) {
    return readFile(panel, panelDir, path, onReroute, &trace);
}

void applyOpenedRatioRule(Panel& panel) {
    const int count = std::clamp(panel.windowCount, 0, kWindowSlots);
    for (int w = 0; w < count; ++w) {
        if (panel.window(w).windowSizeRatio == 0)
            panel.window(w).windowSizeRatio = 1;
    }
}

} // namespace cockpix::fs98
