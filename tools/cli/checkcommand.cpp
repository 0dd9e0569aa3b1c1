// cockpix-cli check: reads a panel.cfg as "&Open" does, in the format it is written in, and
// lists what the panel checker finds, one finding a line in the form compilers use, or as
// JSON; given a folder, it checks every panel.cfg in the tree below it.

#include "commands.h"
#include "gaugedirectories.h"
#include "jsonwriter.h"
#include "openpanel.h"
#include "panelwalk.h"

#include "panel/core/fs98/reader.h"
#include "settings/core/installation.h"
#include "template/core/filecheck.h"
#include "template/core/fs98/checker.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace cockpix::cli {
namespace {

constexpr int kFindingsStatus = 1;

void printCheckHelp() {
    std::printf(
        "Usage: cockpix-cli check PATH [--json] [--jobs N] [--gauges-dir DIR] [--bmp-dir DIR]\n\n"
        "Reads the panel.cfg PATH as the \"&Open\" command does, as an FS98 panel or as one of\n"
        "FS2000 and later, and checks it. FS98 panels: the lines the reader passes over or\n"
        "takes for another key, gauge modules missing or used twice, background bitmaps\n"
        "missing or unreadable, gauges off their window, values outside what FS98 knows.\n"
        "Later panels: missing bitmaps, gaps and doubles in the gauge numbers, titles and\n"
        "window sections without each other, idents used twice or named by a view and by no\n"
        "window, gauges wholly outside their window, and gauges FS would not find (MODULE.gau\n"
        "or .dll, MODULE/GAUGE.xml, GAUGE.xml in MODULE.cab; in the panel folder, then in the\n"
        "gauges directory). The first line says which format was read,\n"
        "  PATH: note: read as a panel of FS98|FS2000 and later[, in INSTALLATION]\n"
        "then each finding is one line on stdout, in line order,\n"
        "  PATH:LINE: error|warning: TEXT [code]\n"
        "--json prints one JSON object instead. When PATH is a folder, every file named\n"
        "panel.cfg (in any case) in the tree below it is checked; the note precedes the\n"
        "findings of each panel that has some, a line on stderr shows the progress when it is\n"
        "a terminal, and the last line counts them:\n"
        "  N panels: X with errors, Y with warnings, Z clean\n"
        "(with --json, one array of the panels' objects, and the count on stderr).\n"
        "A tree is checked on as many threads as there are processors, or on N with\n"
        "--jobs N; the output is the same, in the same order.\n"
        "INSTALLATION names the simulator installation a later panel lies in (\"FSX or\n"
        "Prepar3D installation ROOT\", \"MSFS package NAME\", ...); a manifest.json or\n"
        "package definition it cannot read is one more note. The gauges are looked for in\n"
        "--gauges-dir; without it, in the gauges folders of that installation (ROOT/Gauges\n"
        "beside Aircraft or SimObjects, a Prepar3D add-on's declared ones; FS98 panels: gauges\n"
        "beside aircraft/NAME/panel), else in the settings file's gauges directory. Nothing\n"
        "is written.\n"
        "Exit status: 0 when nothing was found, 1 when there are findings, 2 when a panel or\n"
        "folder cannot be read (the finding says where and why), 64 for wrong arguments.\n");
}

// ", in MSFS package test-aircraft": where the panel's gauges were looked for.
std::string installationNote(const Installation& installation) {
    return installation.found() ? ", in " + installation.description() : std::string();
}

// A file that could not be opened, or holds binary data, was read in no format.
bool wasRead(const FileCheck& check) {
    return !check.readError || check.readError->isStructural();
}

void writeFinding(JsonWriter& json, const Finding& finding) {
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

void writeCheck(JsonWriter& json, const std::string& file, const FileCheck& check) {
    json.beginObject();
    json.key("file");
    json.utf8Value(file);
    if (wasRead(check)) {
        json.key("format");
        json.utf8Value(panelFormatName(check.format));
    }
    json.key("findings");
    json.beginArray();
    for (const Finding& finding : check.findings)
        writeFinding(json, finding);
    json.endArray();
    if (check.installation.found()) {
        json.key("installation");
        json.utf8Value(check.installation.description());
    }
    if (!check.installation.problems.empty()) {
        json.key("installationProblems");
        json.beginArray();
        for (const std::string& problem : check.installation.problems)
            json.utf8Value(problem);
        json.endArray();
    }
    json.endObject();
}

// folder: the panel's folder as the walk of a tree listed it, else nullptr.
FileCheck checkOne(const std::string& given, const GaugeCommandLine& commandLine, CheckFacts& facts,
                   const std::vector<FolderEntry>* folder = nullptr) {
    GaugeCommandLine line = commandLine;
    const std::string path = fullPath(given);
    settleDirectoriesForPanel(line, path);
    if (folder != nullptr)
        facts.folders().adopt(fs98::panelDirFromChosenPath(path), *folder);
    return checkPanelFile(path, line.dirs, facts, !line.gaugesDirGiven);
}

// The walk's listing of the folder of its panel i, when it listed that folder.
const std::vector<FolderEntry>* listingOf(const PanelWalk& walk, std::size_t i) {
    return walk.folders[i] ? &*walk.folders[i] : nullptr;
}

// Checks the panels of a tree on several threads. Each thread has its own facts, so that no
// look-up is shared between threads (each lists the gauges folder once); the checks are
// handed over in the walk's order, whichever thread is done first.
class ParallelChecks {
public:
    ParallelChecks(const PanelWalk& walk, const GaugeCommandLine& line, unsigned threads)
        : m_walk(walk), m_panels(walk.panels), m_line(line), m_done(m_panels.size()),
          m_checks(m_panels.size()) {
        for (unsigned t = 0; t < threads; ++t) {
            try {
                m_threads.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                break; // the threads made do the work; with none, take() does it
            }
        }
        m_ownFacts.beginRound();
        m_ownFacts.holdRound(true);
    }
    ~ParallelChecks() {
        m_next = m_panels.size(); // an early end stops the others at their next panel
        for (std::thread& thread : m_threads)
            thread.join();
    }

    // The check of panels[index], once a thread has made it.
    FileCheck take(std::size_t index) {
        if (m_threads.empty())
            return checkOne(m_panels[index], m_line, m_ownFacts, listingOf(m_walk, index));
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_done[index]; });
        return std::move(m_checks[index]);
    }

private:
    void work() {
        CheckFacts facts;
        facts.beginRound();
        facts.holdRound(true);
        // Panels are taken and handed over a few at a time: a thread waking the other for
        // each small panel would cost more than the check.
        for (std::size_t first = m_next.fetch_add(kBatch); first < m_panels.size();
             first = m_next.fetch_add(kBatch)) {
            const std::size_t end = std::min(first + kBatch, m_panels.size());
            std::vector<FileCheck> checks;
            for (std::size_t i = first; i < end; ++i)
                checks.push_back(checkOne(m_panels[i], m_line, facts, listingOf(m_walk, i)));
            const std::lock_guard lock(m_mutex);
            for (std::size_t i = first; i < end; ++i) {
                m_checks[i] = std::move(checks[i - first]);
                m_done[i] = true;
            }
            m_ready.notify_all();
        }
    }

    static constexpr std::size_t kBatch = 16;

    const PanelWalk& m_walk;
    const std::vector<std::string>& m_panels;
    const GaugeCommandLine& m_line;
    std::atomic<std::size_t> m_next = 0;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<char> m_done; // by panel, under m_mutex
    std::vector<FileCheck> m_checks;
    std::vector<std::thread> m_threads;
    CheckFacts m_ownFacts; // when no thread could be started
};

// Checks panels one after the other, printing each as it is done, and counts them.
class CheckRun {
public:
    CheckRun(const GaugeCommandLine& line, bool asJson, bool tree)
        : m_line(line), m_json(asJson), m_tree(tree),
          m_progress(tree && ::isatty(STDERR_FILENO) == 1) {}

    void check(const std::string& given) { report(given, checkOne(given, m_line, m_facts)); }

    // The panels of a tree, on threads threads.
    void checkAll(const PanelWalk& walk, unsigned threads) {
        const std::vector<std::string>& panels = walk.panels;
        if (threads <= 1 || panels.size() <= 1) {
            for (std::size_t i = 0; i < panels.size(); ++i) {
                showProgress(panels[i], i, panels.size());
                report(panels[i], checkOne(panels[i], m_line, m_facts, listingOf(walk, i)));
            }
            return;
        }
        ParallelChecks checks(walk, m_line, std::min<std::size_t>(threads, panels.size()));
        for (std::size_t i = 0; i < panels.size(); ++i) {
            showProgress(panels[i], i, panels.size());
            report(panels[i], checks.take(i));
        }
    }

    void report(const std::string& given, const FileCheck& check) {
        // Lines are those of the file read: the one given, or the one its alias led to.
        const std::string file = check.rerouted ? check.file : given;
        tally(check);
        if (m_json)
            writeCheck(m_output, file, check);
        else
            printText(file, check);
    }

    void unreadableFolder(const std::string& dir) {
        clearProgress();
        std::fprintf(stderr, "cockpix-cli check: the folder '%s' cannot be read\n", dir.c_str());
        m_unreadable = true;
    }

    void beginTree() {
        m_facts.beginRound();
        m_facts.holdRound(true);
        if (m_json)
            m_output.beginArray();
    }

    int finish() {
        clearProgress();
        if (m_json && m_tree)
            m_output.endArray();
        if (m_json)
            std::fwrite(m_output.text().data(), 1, m_output.text().size(), stdout);
        if (m_tree)
            std::fprintf(m_json ? stderr : stdout,
                         "%zu panels: %zu with errors, %zu with "
                         "warnings, %zu clean\n",
                         m_errors + m_warnings + m_clean, m_errors, m_warnings, m_clean);
        if (std::fflush(stdout) != 0)
            return kFindingsStatus;
        if (m_unreadable)
            return kStructureErrorStatus;
        return m_errors + m_warnings == 0 ? 0 : kFindingsStatus;
    }

private:
    void showProgress(const std::string& given, std::size_t index, std::size_t count) {
        if (m_progress)
            std::fprintf(stderr, "\r\033[K%zu/%zu %s", index + 1, count, given.c_str());
    }

    void tally(const FileCheck& check) {
        m_unreadable = m_unreadable || check.readError.has_value();
        const auto isError = [](const Finding& f) { return f.severity == Severity::Error; };
        // A note is no fault: a panel with notes alone is clean.
        const auto isWarning = [](const Finding& f) { return f.severity == Severity::Warning; };
        if (std::any_of(check.findings.begin(), check.findings.end(), isError))
            ++m_errors;
        else if (std::any_of(check.findings.begin(), check.findings.end(), isWarning))
            ++m_warnings;
        else
            ++m_clean;
    }

    void printText(const std::string& file, const FileCheck& check) {
        if (m_tree && check.findings.empty())
            return;
        clearProgress();
        if (wasRead(check))
            std::printf("%s: note: read as a panel of %s%s\n", file.c_str(),
                        std::string(panelFormatName(check.format)).c_str(),
                        installationNote(check.installation).c_str());
        for (const std::string& problem : check.installation.problems)
            std::printf("%s: note: %s\n", file.c_str(), problem.c_str());
        std::string lines;
        for (const Finding& finding : check.findings)
            appendFindingLine(lines, file, finding);
        std::fwrite(lines.data(), 1, lines.size(), stdout);
        std::fflush(stdout);
    }

    void clearProgress() {
        if (m_progress)
            std::fprintf(stderr, "\r\033[K");
    }

    const GaugeCommandLine& m_line;
    bool m_json;
    bool m_tree;
    bool m_progress;
    CheckFacts m_facts; // shared: the folders of one installation are listed once
    JsonWriter m_output;
    std::size_t m_errors = 0;
    std::size_t m_warnings = 0;
    std::size_t m_clean = 0;
    bool m_unreadable = false;
};

// --jobs N, else one thread a processor; nullopt for a value that is not a count.
std::optional<unsigned> threadCount(const GaugeCommandLine& line) {
    for (const auto& [name, value] : line.options) {
        if (name != "--jobs")
            continue;
        unsigned count = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
        if (error != std::errc() || end != value.data() + value.size() || count < 1 || count > 256)
            return std::nullopt;
        return count;
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace

int runCheck(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printCheckHelp();
        return 0;
    }
    std::vector<std::string> rest(args.begin(), args.end());
    const bool asJson = std::erase(rest, std::string("--json")) > 0;
    static constexpr std::string_view kValueOptions[] = {"--jobs"};
    GaugeCommandLine line = parseGaugeCommandLine(rest, kValueOptions);
    const std::optional<unsigned> threads = threadCount(line);
    if (!threads && line.error.empty())
        line.error = "--jobs takes a number of threads from 1 to 256";
    if (!line.error.empty() || line.positional.size() != 1) {
        std::fprintf(stderr, "cockpix-cli check: %s (see cockpix-cli check --help)\n",
                     line.error.empty() ? "expected one PATH argument" : line.error.c_str());
        return kUsageStatus;
    }
    const std::string given = line.positional.front();
    std::error_code error;
    const bool tree = std::filesystem::is_directory(given, error);
    CheckRun run(line, asJson, tree);
    if (!tree) {
        run.check(given);
        return run.finish();
    }
    const PanelWalk walk = findPanelFiles(given);
    run.beginTree();
    for (const std::string& dir : walk.unreadable)
        run.unreadableFolder(dir);
    run.checkAll(walk, *threads);
    return run.finish();
}

} // namespace cockpix::cli
