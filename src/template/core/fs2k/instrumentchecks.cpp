#include "template/core/fs2k/instrumentchecks.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "panel/core/fs2k/edits.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

namespace cockpix::fs2k {
namespace {

int lineOf(std::size_t line) {
    return static_cast<int>(line + 1);
}

constexpr std::string_view kNoTexture = "NO_TEXTURE";

// Where the query of an instrument's PATH?QUERY has its second '?', if it has one.
std::optional<std::size_t> secondQuestionMark(std::string_view name) {
    const std::size_t first = name.find('?');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = name.find('?', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    return second;
}

// The value of key in a query ("wasm_module=A.wasm&wasm_gauge=B"), the key's case ignored.
std::optional<std::string_view> queryValue(std::string_view query, std::string_view key) {
    while (!query.empty()) {
        const std::size_t end = query.find_first_of("&?");
        const std::string_view pair = query.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos &&
            equalsIgnoringCase(trimmedBlanks(pair.substr(0, equals)), key))
            return trimmedBlanks(pair.substr(equals + 1));
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    }
    return std::nullopt;
}

bool hasParentPart(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

// The panel folder's own name when it is a variant's (panel.NAME), else empty.
std::string variantFolderName(std::string_view panelDir) {
    while (!panelDir.empty() && panelDir.back() == '/')
        panelDir.remove_suffix(1);
    const std::string_view name = panelDir.substr(panelDir.find_last_of('/') + 1);
    return startsWithIgnoringCase(name, "panel.") ? std::string(name) : std::string();
}

class MsfsChecks {
public:
    MsfsChecks(const InstrumentCheckInput& input, CheckFacts& facts, std::vector<Finding>& findings)
        : m_in(input), m_facts(facts), m_findings(findings) {}

    void run() {
        checkSectionNumbers();
        checkTextures();
        for (std::size_t w = 0; w < m_in.panel.windows.size(); ++w) {
            const Window& window = m_in.panel.windows[w];
            for (std::size_t g = 0; g < window.gauges.size(); ++g)
                checkGauge(static_cast<int>(w), static_cast<int>(g), window.gauges[g]);
        }
    }

private:
    Finding& add(std::size_t line, Severity severity, const char* code, UserText text,
                 int window = -1, int gauge = -1) {
        m_findings.push_back(
            makeFinding(lineOf(line), severity, code, std::move(text), window, gauge));
        return m_findings.back();
    }

    UserText quoted(std::string_view bytes) const {
        return "'" + UserText::panelText(bytes, m_in.encoding) + "'";
    }
    UserText section(const Window& window) const {
        return "[" + UserText::panelText(window.header, m_in.encoding) + "]";
    }

    bool msfs() const {
        const Installation* at = m_in.installation;
        return at != nullptr &&
               (at->simulator == Simulator::MsfsPackage || at->simulator == Simulator::MsfsProject);
    }

    // [VCockpit05] and [Vcockpit05] are one section to MSFS.
    void checkSectionNumbers() {
        const std::vector<Window>& windows = m_in.panel.windows;
        for (std::size_t w = 0; w < windows.size(); ++w) {
            if (windows[w].kind == WindowKind::Window)
                continue;
            const auto first =
                std::find_if(windows.begin(), windows.begin() + w, [&](const Window& o) {
                    return o.kind == windows[w].kind && o.number == windows[w].number;
                });
            if (first != windows.begin() + w)
                add(windows[w].headerLine, Severity::Error, "section-number-twice",
                    section(windows[w]) + " has the number of " + section(*first) + " on line " +
                        std::to_string(lineOf(first->headerLine)) + ": MSFS reads only one of them",
                    static_cast<int>(w));
        }
    }

    // Each texture= name (a model's material) drawn on by one VCockpit only.
    void checkTextures() {
        struct Named {
            std::string_view name;
            const Window* window;
            std::size_t line;
        };
        std::vector<Named> seen;
        for (std::size_t w = 0; w < m_in.panel.windows.size(); ++w) {
            const Window& window = m_in.panel.windows[w];
            const Key* texture = window.find("texture");
            if (window.kind != WindowKind::Vcockpit || texture == nullptr)
                continue;
            std::string_view rest = texture->value;
            while (!rest.empty()) {
                const std::size_t comma = rest.find(',');
                const std::string_view name = trimmedBlanks(rest.substr(0, comma));
                rest =
                    comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
                if (name.empty() || equalsIgnoringCase(name, kNoTexture))
                    continue;
                const auto first = std::find_if(seen.begin(), seen.end(), [&](const Named& n) {
                    return n.name == name && n.window != &window;
                });
                if (first == seen.end()) {
                    seen.push_back({name, &window, texture->line});
                    continue;
                }
                add(texture->line, Severity::Warning, "texture-twice",
                    "the texture " + quoted(name) + " is also that of " + section(*first->window) +
                        " on line " + std::to_string(lineOf(first->line)) +
                        ": both draw on one material and MSFS shows only one of them",
                    static_cast<int>(w));
            }
        }
    }

    // Stock instruments are looked for only when MSFS's Official and Community folders are
    // both known: otherwise they may lie where COCKPIX cannot see.
    bool stockKnown() const {
        const std::vector<std::string>& folders = m_in.installation->packagesFolders;
        return std::any_of(folders.begin(), folders.end(), isOfficialFolder) &&
               !std::all_of(folders.begin(), folders.end(), isOfficialFolder);
    }

    // The other packages' Instruments folders: those the installation listed, else those of
    // its packages folders, listed once for a whole check and only when an instrument is
    // looked for there.
    std::span<const std::string> stockDirs() {
        const Installation& at = *m_in.installation;
        if (at.instrumentDirs.size() > at.ownInstrumentDirs)
            return std::span(at.instrumentDirs).subspan(at.ownInstrumentDirs);
        if (!m_stockListed) {
            m_stockListed = true;
            for (const std::string& folder : at.packagesFolders) {
                const std::vector<std::string>& dirs = m_facts.packagesInstrumentDirs(folder);
                m_stockDirs.insert(m_stockDirs.end(), dirs.begin(), dirs.end());
            }
        }
        return m_stockDirs;
    }

    void checkGauge(int w, int g, const Gauge& gauge) {
        if (gauge.kind == GaugeLineKind::Gauge)
            return;
        const std::string_view name = gaugeLineName(m_in.lines, gauge.line);
        if (const auto mark = secondQuestionMark(name))
            addQueryFinding(w, g, gauge, name, *mark);
        if (gauge.kind != GaugeLineKind::HtmlGauge || !msfs() || name.empty())
            return;
        const std::size_t question = name.find('?');
        const std::string_view path = name.substr(0, question);
        checkInstrumentFile(w, g, gauge, path);
        const std::string_view folder = path.substr(0, path.find_first_of("/\\"));
        if (question != std::string_view::npos && equalsIgnoringCase(folder, "WasmInstrument"))
            checkWasmModule(w, g, gauge, name.substr(question + 1));
    }

    void addQueryFinding(int w, int g, const Gauge& gauge, std::string_view name,
                         std::size_t mark) {
        const std::string_view after = name.substr(mark + 1);
        Finding& finding = add(gauge.line, Severity::Warning, "query-question-mark",
                               keyOfGauge(gauge.number, gaugeKeyPrefix(gauge.kind)) +
                                   "'s query has a second '?': the instrument reads " +
                                   quoted(after.substr(0, after.find('&'))) +
                                   " as part of the value before it ('&' separates values)",
                               w, g);
        Fix fix;
        fix.kind = FixKind::QueryAmpersand;
        fix.window = w;
        fix.gauge = g;
        fix.label = "Make that '?' an '&'";
        finding.fix = fix;
    }

    bool foundIn(std::span<const std::string> dirs, std::string_view path) {
        return !hasParentPart(path) &&
               std::any_of(dirs.begin(), dirs.end(), [&](const std::string& dir) {
                   return m_facts.folders().contains(dir, path);
               });
    }

    void checkInstrumentFile(int w, int g, const Gauge& gauge, std::string_view path) {
        const Installation& at = *m_in.installation;
        const std::span<const std::string> own(
            at.instrumentDirs.data(), std::min(at.ownInstrumentDirs, at.instrumentDirs.size()));
        // The file first: found in the package, it is the package's own and nothing more is
        // looked at (a check of a Community folder asks this of every instrument).
        if (foundIn(own, path))
            return;
        const std::size_t slash = path.find_first_of("/\\");
        if (slash != std::string_view::npos && foundIn(own, path.substr(0, slash))) {
            add(gauge.line, Severity::Error, "instrument-not-found",
                "MSFS finds no instrument " + quoted(path) +
                    " in the package's html_ui/Pages/VCockpit/Instruments: it stays black",
                w, g);
            return;
        }
        if (stockKnown() && !foundIn(stockDirs(), path))
            add(gauge.line, Severity::Error, "stock-instrument-not-found",
                "MSFS finds no instrument " + quoted(path) +
                    " in the package or the packages of the Community and Official folders: it "
                    "stays black",
                w, g);
    }

    void checkWasmModule(int w, int g, const Gauge& gauge, std::string_view query) {
        const auto module = queryValue(query, "wasm_module");
        if (!module || module->empty() || m_in.panelDir.empty() ||
            (!hasParentPart(*module) && m_facts.folders().contains(m_in.panelDir, *module)))
            return;
        const std::string variant = variantFolderName(m_in.panelDir);
        add(gauge.line, Severity::Error, "wasm-not-found",
            variant.empty()
                ? "MSFS finds no WASM module " + quoted(*module) +
                      " in the panel folder: the instrument stays black"
                : "MSFS finds no WASM module " + quoted(*module) + " in the panel folder " +
                      UserText::path(variant) +
                      ": a variant's panel folder needs its own copy, else the instrument stays "
                      "black",
            w, g);
    }

    const InstrumentCheckInput& m_in;
    CheckFacts& m_facts;
    std::vector<Finding>& m_findings;
    bool m_stockListed = false;
    std::vector<std::string> m_stockDirs; // the other packages' Instruments folders
};

} // namespace

void checkMsfsPanel(const InstrumentCheckInput& input, CheckFacts& facts,
                    std::vector<Finding>& findings) {
    MsfsChecks(input, facts, findings).run();
}

bool makeQueryAmpersand(PanelLines& lines, std::size_t line) {
    if (line >= lines.lineCount())
        return false;
    const std::string_view text = lines.text(line);
    const std::string_view name = gaugeLineName(lines, line);
    const auto mark = secondQuestionMark(name);
    if (!mark)
        return false;
    std::string changed(text);
    changed[static_cast<std::size_t>(name.data() - text.data()) + *mark] = '&';
    lines.replace(line, changed);
    return true;
}

} // namespace cockpix::fs2k
