#include "template/core/fs2k/checker.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "drawing/core/fs2k/layout.h"
#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/textencoding.h"
#include "panel/core/placelimits.h"
#include "template/core/freeplace.h"
#include "template/core/fs2k/instrumentchecks.h"
#include "template/core/fs2k/texturechecks.h"
#include "template/core/fs2k/variantchecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace cockpix::fs2k {
namespace {

int lineOf(std::size_t line) {
    return static_cast<int>(line + 1);
}

std::string gaugeKey(long number, GaugeLineKind kind) {
    return keyOfGauge(number, gaugeKeyPrefix(kind));
}

std::string gaugeKey(const Gauge& gauge) {
    return gaugeKey(gauge.number, gauge.kind);
}

constexpr GaugeLineKind kGaugeLineKinds[] = {GaugeLineKind::Gauge, GaugeLineKind::HtmlGauge,
                                             GaugeLineKind::Painting};

// The leading number of a field, as FS reads "w,h" values; nullopt for none.
std::optional<double> leadingNumber(std::string_view text) {
    text = trimmedBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "w,h" of size_mm= and pixel_size=, when both are numbers.
std::optional<std::pair<double, double>> numberPair(const Key* key) {
    if (key == nullptr)
        return std::nullopt;
    const std::size_t comma = key->value.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const auto w = leadingNumber(std::string_view(key->value).substr(0, comma));
    const auto h = leadingNumber(std::string_view(key->value).substr(comma + 1));
    if (!w || !h || *w <= 0 || *h <= 0)
        return std::nullopt;
    return std::pair{*w, *h};
}

// Gauges that draw nothing (systems, sounds, logic) are placed at size 0, or 1 x 1 at the
// corner: they are never outside.
bool drawsNothing(const Gauge& gauge) {
    if ((gauge.width && *gauge.width == 0) || (gauge.height && *gauge.height == 0))
        return true;
    return gauge.x.value_or(0) == 0 && gauge.y.value_or(0) == 0 && gauge.width == 1.0 &&
           gauge.height == 1.0;
}

// What a gauge covers as the panel windows show it without its picture: a width alone makes
// it square, no size at all the outline's size. (A size of 0 or less counts as none.)
GaugeRect coveredRect(const Gauge& gauge) {
    const auto size = [](const std::optional<double>& value) {
        return value && *value > 0 ? value : std::nullopt;
    };
    const std::optional<double> width = size(gauge.width);
    const std::optional<double> height = size(gauge.height);
    const double w = width ? *width : height ? *height : kOutlineUnits;
    return {gauge.x.value_or(0), gauge.y.value_or(0), w, height ? *height : w};
}

bool isBitmapKey(std::string_view key) {
    if (equalsIgnoringCase(key, "file"))
        return true;
    return startsWithIgnoringCase(key, "file_") && key.size() > 5 &&
           key.substr(5).find_first_not_of("0123456789") == std::string_view::npos;
}

// Idents are names (MAIN_PANEL) or numbers (10000, also written 010000).
bool sameIdent(std::string_view a, std::string_view b) {
    if (equalsIgnoringCase(a, b))
        return true;
    long x = 0;
    long y = 0;
    const auto [aEnd, aError] = std::from_chars(a.data(), a.data() + a.size(), x);
    const auto [bEnd, bError] = std::from_chars(b.data(), b.data() + b.size(), y);
    return aError == std::errc() && bError == std::errc() && aEnd == a.data() + a.size() &&
           bEnd == b.data() + b.size() && x == y;
}

class Fs2kChecker {
public:
    Fs2kChecker(const PanelLines& lines, const Panel& panel, const Directories& dirs,
                CheckFacts& facts, TextEncoding encoding,
                std::optional<std::span<const std::string>> gaugesDirs,
                const Installation* installation = nullptr)
        : m_lines(lines), m_panel(panel), m_dirs(dirs), m_facts(facts), m_encoding(encoding),
          m_installation(installation),
          m_gaugesDirs(gaugesDirs.value_or(std::span<const std::string>(&dirs.gaugesDir, 1))),
          m_gaugesDirKnown(gaugesDirs.has_value() || !dirs.gaugesDir.empty()) {}

    std::vector<Finding> run() {
        m_facts.beginRound();
        checkTitles();
        checkIdents();
        checkViews();
        bool anyGauge = false; // a gauge module FS looks for (MSFS's instruments are no modules)
        for (std::size_t w = 0; w < m_panel.windows.size(); ++w) {
            checkWindow(static_cast<int>(w));
            const std::vector<Gauge>& gauges = m_panel.windows[w].gauges;
            anyGauge = anyGauge || std::any_of(gauges.begin(), gauges.end(), [](const Gauge& g) {
                           return g.kind == GaugeLineKind::Gauge;
                       });
        }
        if (anyGauge && !m_gaugesDirKnown)
            add(0, Severity::Warning, "no-gauges-dir",
                "the gauges directory is not set: gauges are looked for in the panel folder "
                "only");
        checkMsfsPanel({m_lines, m_panel, m_dirs.panelDir, m_installation, m_encoding}, m_facts,
                       m_findings);
        checkTextures(m_panel, m_dirs.panelDir, m_installation, m_facts, m_encoding, m_findings);
        sortFindings(m_findings);
        return std::move(m_findings);
    }

private:
    Finding& add(int line, Severity severity, const char* code, UserText text, int window = -1,
                 int gauge = -1) {
        m_findings.push_back(makeFinding(line, severity, code, std::move(text), window, gauge));
        return m_findings.back();
    }

    // A text of the panel, in the panel's encoding.
    UserText text(std::string_view bytes) const { return UserText::panelText(bytes, m_encoding); }
    UserText quoted(std::string_view bytes) const { return "'" + text(bytes) + "'"; }

    const Window& window(int w) const { return m_panel.windows[static_cast<std::size_t>(w)]; }

    void checkTitles() {
        for (const Title& title : m_panel.titles) {
            if (m_panel.windowOf(title.number) == nullptr)
                add(lineOf(title.line), Severity::Warning, "title-without-section",
                    "the title of " + nameOfWindow(title.number) + " has no section [" +
                        nameOfWindow(title.number) + "]: FS shows no window for it");
        }
        for (std::size_t w = 0; w < m_panel.windows.size(); ++w) {
            const Window& section = m_panel.windows[w];
            if (section.kind == WindowKind::Window && m_panel.titleOf(section.number) == nullptr)
                add(lineOf(section.headerLine), Severity::Warning, "section-without-title",
                    "[" + text(section.header) +
                        "] has no title in [Window Titles]: FS does not load it",
                    static_cast<int>(w));
        }
    }

    void checkIdents() {
        std::vector<std::pair<std::string_view, const Key*>> seen;
        for (std::size_t w = 0; w < m_panel.windows.size(); ++w) {
            const Key* ident = m_panel.windows[w].find("ident");
            if (m_panel.windows[w].kind != WindowKind::Window || ident == nullptr ||
                trimmedBlanks(ident->value).empty())
                continue;
            const std::string_view value = trimmedBlanks(ident->value);
            const auto first = std::find_if(
                seen.begin(), seen.end(), [&](const auto& s) { return sameIdent(s.first, value); });
            if (first == seen.end()) {
                seen.emplace_back(value, ident);
                continue;
            }
            add(lineOf(ident->line), Severity::Warning, "ident-twice",
                "the ident " + quoted(value) + " is already that of the window on line " +
                    std::to_string(lineOf(first->second->line)) +
                    ": FS tells windows apart by their idents",
                static_cast<int>(w));
        }
    }

    bool someWindowHasIdent(std::string_view ident) const {
        for (const Window& w : m_panel.windows) {
            const Key* own = w.find("ident");
            if (own != nullptr && sameIdent(trimmedBlanks(own->value), ident))
                return true;
        }
        return false;
    }

    // VIEW_FORWARD_WINDOWS= (and its siblings VIEW_LEFT_WINDOWS=, ...) list the idents of the
    // windows a view opens.
    void checkViews() {
        if (!m_panel.views)
            return;
        for (const Key& key : m_panel.views->keys) {
            const std::string_view name = key.key;
            if (!startsWithIgnoringCase(name, "view_") || name.size() < 8 ||
                !equalsIgnoringCase(name.substr(name.size() - 8), "_windows"))
                continue;
            std::string_view rest = key.value;
            while (!rest.empty()) {
                const std::size_t comma = rest.find(',');
                const std::string_view ident = trimmedBlanks(rest.substr(0, comma));
                rest =
                    comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
                if (!ident.empty() && !someWindowHasIdent(ident))
                    add(lineOf(key.line), Severity::Warning, "view-ident-unknown",
                        text(key.key) + " names " + quoted(ident) + ", the ident of no window");
            }
        }
    }

    void checkWindow(int w) {
        std::optional<std::pair<double, double>> bitmapArea;
        for (const Key& key : window(w).keys) {
            if (!isBitmapKey(key.key) || trimmedBlanks(key.value).empty())
                continue;
            const std::optional<std::string> path = bitmapPath(trimmedBlanks(key.value));
            if (!path) {
                add(lineOf(key.line), Severity::Error, "bitmap-missing",
                    "the bitmap " + quoted(trimmedBlanks(key.value)) +
                        " is not in the panel folder",
                    w);
            } else if (equalsIgnoringCase(key.key, "file") && !bitmapArea) {
                if (const auto& size = m_facts.fs2kBitmapSize(*path))
                    bitmapArea = std::pair<double, double>(size->width, size->height);
            }
        }
        for (GaugeLineKind kind : kGaugeLineKinds)
            checkGaugeNumbers(w, kind);
        // A window's gauges stand in the pixels of pixel_size=, else of the bitmap, else (a
        // window of a colour) of size_mm=. Without its bitmap a window's extent is not known.
        // A virtual cockpit's or a painting's stand in the units of size_mm=, which its
        // texture (pixel_size=) shows scaled.
        const bool textured = window(w).kind != WindowKind::Window;
        std::optional<std::pair<double, double>> area =
            numberPair(window(w).find(textured ? "size_mm" : "pixel_size"));
        if (!area && textured)
            area = numberPair(window(w).find("pixel_size"));
        const Key* file = window(w).find("file");
        if (!area && !textured)
            area = file && !trimmedBlanks(file->value).empty()
                       ? bitmapArea
                       : numberPair(window(w).find("size_mm"));
        for (std::size_t g = 0; g < window(w).gauges.size(); ++g) {
            checkGaugeFile(w, static_cast<int>(g));
            checkGaugeRange(w, static_cast<int>(g), area);
            if (area)
                checkGaugePlace(w, static_cast<int>(g), *area);
        }
    }

    std::optional<std::string> bitmapPath(std::string_view name) {
        return m_facts.folders().find(m_dirs.panelDir, name);
    }

    // The gauge lines of one kind: each kind is numbered on its own.
    void checkGaugeNumbers(int w, GaugeLineKind kind) {
        std::vector<Gauge> gauges;
        std::vector<int> indexes; // of each in the window's gauges
        for (std::size_t g = 0; g < window(w).gauges.size(); ++g) {
            if (window(w).gauges[g].kind == kind) {
                gauges.push_back(window(w).gauges[g]);
                indexes.push_back(static_cast<int>(g));
            }
        }
        // Most windows number their gauges 00, 01, 02, ... in line order: no double, no gap.
        long expected = 0;
        if (std::all_of(gauges.begin(), gauges.end(),
                        [&](const Gauge& gauge) { return gauge.number == expected++; }))
            return;
        std::map<long, std::size_t> first; // number -> line
        for (std::size_t g = 0; g < gauges.size(); ++g) {
            const auto [at, added] = first.emplace(gauges[g].number, gauges[g].line);
            if (!added)
                add(lineOf(gauges[g].line), Severity::Error, "gauge-number-twice",
                    gaugeKey(gauges[g]) + " is numbered a second time (first on line " +
                        std::to_string(lineOf(at->second)) + "): FS reads only one of them",
                    w, indexes[g]);
        }
        long missing = 0;
        for (const auto& [number, line] : first) {
            if (number != missing)
                break;
            ++missing;
        }
        const auto after = first.upper_bound(missing);
        if (after == first.end())
            return;
        const std::size_t ignored = static_cast<std::size_t>(std::distance(after, first.end()));
        const auto g = std::find_if(gauges.begin(), gauges.end(), [&](const Gauge& gauge) {
            return gauge.line == after->second;
        });
        Finding& finding =
            add(lineOf(after->second), Severity::Error, "gauge-gap",
                "there is no " + gaugeKey(missing, kind) + " in [" + text(window(w).header) +
                    "]: FS reads no gauge after it, so " + std::to_string(ignored) +
                    (ignored == 1 ? " gauge is" : " gauges are") + " not shown",
                w, indexes[static_cast<std::size_t>(g - gauges.begin())]);
        Fix fix;
        fix.kind = FixKind::RenumberGauges;
        fix.window = w;
        fix.label = "Number the gauges without a gap";
        finding.fix = fix;
    }

    void checkGaugeFile(int w, int g) {
        const Gauge& gauge = window(w).gauges[static_cast<std::size_t>(g)];
        const std::string_view name = gaugeLineName(m_lines, gauge.line);
        if (name.empty() || gauge.kind != GaugeLineKind::Gauge)
            return;
        const GaugeLookup& found = m_facts.fs2kFiles().lookUp(name, m_dirs.panelDir, m_gaugesDirs);
        if (found.kind == GaugeKind::CabUnreadable)
            add(lineOf(gauge.line), Severity::Error, "cab-unreadable",
                UserText::path(found.path) + " cannot be read as a cabinet: FS finds no " +
                    quoted(name) + " in it",
                w, g);
        else if (found.kind == GaugeKind::Missing)
            add(lineOf(gauge.line), Severity::Error, "gauge-not-found",
                "FS finds no gauge " + quoted(name) +
                    " in the panel folder or the gauges directory (as .gau, .dll, a folder of "
                    ".xml or a .cab)",
                w, g);
    }

    // x, y, width and height as FS reads them: in plain digits, and within placeRange of the
    // window's extent (when known).
    void checkGaugeRange(int w, int g, std::optional<std::pair<double, double>> area) {
        const Gauge& gauge = window(w).gauges[static_cast<std::size_t>(g)];
        gaugeFields(m_lines, gauge.line, m_fields);
        const struct {
            const char* name;
            std::optional<double> value;
            PlaceKind kind;
            std::optional<double> extent;
        } places[] = {
            {"x", gauge.x, PlaceKind::Position, area ? std::optional(area->first) : std::nullopt},
            {"y", gauge.y, PlaceKind::Position, area ? std::optional(area->second) : std::nullopt},
            {"width", gauge.width, PlaceKind::Size,
             area ? std::optional(area->first) : std::nullopt},
            {"height", gauge.height, PlaceKind::Size,
             area ? std::optional(area->second) : std::nullopt}};
        for (std::size_t i = 0; i < std::size(places) && i < m_fields.size(); ++i) {
            const auto& place = places[i];
            if (!place.value)
                continue;
            const std::string start = gaugeKey(gauge) + "'s " + place.name + " ";
            // A comment may follow the last field.
            const std::string_view field = trimmedBlanks(
                m_fields[i].substr(0, std::min(m_fields[i].find(';'), m_fields[i].find("//"))));
            if (!isPlainFsNumber(field)) {
                add(lineOf(gauge.line), Severity::Error, "number-form",
                    start + quoted(field) +
                        " is not written as FS reads a number (digits, at most " +
                        std::to_string(kMaxFsDigits) +
                        ", with at most one point; no exponent): FS takes another value",
                    w, g);
                continue;
            }
            const PlaceRange range = placeRange(place.kind, place.extent);
            // A size of 0 or less is FS's own size for the gauge, not a place.
            if (range.holds(*place.value) || (place.kind == PlaceKind::Size && *place.value <= 0))
                continue;
            add(lineOf(gauge.line), Severity::Error, "place-out-of-range",
                start + plainNumberText(*place.value) +
                    " lies beyond where FS places a gauge of [" + text(window(w).header) + "] (" +
                    rangeText(range) + ")",
                w, g);
        }
    }

    void checkGaugePlace(int w, int g, std::pair<double, double> area) {
        const Gauge& gauge = window(w).gauges[static_cast<std::size_t>(g)];
        if (drawsNothing(gauge))
            return;
        const double x = gauge.x.value_or(0);
        const double y = gauge.y.value_or(0);
        const bool outside = x >= area.first || y >= area.second ||
                             (gauge.width && x + *gauge.width <= 0) ||
                             (gauge.height && y + *gauge.height <= 0);
        if (!outside)
            return;
        Finding& finding = add(lineOf(gauge.line), Severity::Error, "gauge-outside",
                               gaugeKey(gauge) + " at " + plainNumberText(x) + ", " +
                                   plainNumberText(y) + " lies wholly outside [" +
                                   text(window(w).header) + "] (" + plainNumberText(area.first) +
                                   " x " + plainNumberText(area.second) + "): FS does not show it",
                               w, g);
        const double width = gauge.width.value_or(0);
        const double height = gauge.height.value_or(0);
        if (width > area.first || height > area.second)
            return; // too big to fit: no place inside is obvious
        Fix fix;
        fix.kind = FixKind::MoveGauge;
        fix.window = w;
        fix.gauge = g;
        // A gauge of no given size keeps a pixel inside at least. It goes to the nearest place
        // on no other gauge; where there is none, to the nearest place inside.
        const GaugeRect moved{x, y, std::max(width, 1.0), std::max(height, 1.0)};
        const std::vector<GaugeRect> others = otherGauges(w, g);
        if (const auto free = nearestFreePlace(moved, area.first, area.second, others)) {
            fix.x = free->x;
            fix.y = free->y;
        } else {
            fix.x = std::clamp(x, 0.0, std::max(0.0, std::floor(area.first - moved.w)));
            fix.y = std::clamp(y, 0.0, std::max(0.0, std::floor(area.second - moved.h)));
        }
        fix.label = "Move it back inside";
        finding.fix = fix;
    }

    // What the gauges of window w but gauge g cover, those that draw nothing left out.
    std::vector<GaugeRect> otherGauges(int w, int g) const {
        std::vector<GaugeRect> rects;
        const std::vector<Gauge>& gauges = window(w).gauges;
        for (std::size_t k = 0; k < gauges.size(); ++k) {
            if (k != static_cast<std::size_t>(g) && !drawsNothing(gauges[k]))
                rects.push_back(coveredRect(gauges[k]));
        }
        return rects;
    }

    const PanelLines& m_lines;
    std::vector<std::string_view> m_fields; // a gauge line's, room kept for the next
    const Panel& m_panel;
    const Directories& m_dirs;
    CheckFacts& m_facts;
    TextEncoding m_encoding;
    const Installation* m_installation; // where the panel lies, when known
    // Where FS looks for gauge modules after the panel folder: the installation's folders, or
    // the settings' gauges directory; known when either was found or set.
    std::span<const std::string> m_gaugesDirs;
    bool m_gaugesDirKnown;
    std::vector<Finding> m_findings;
};

// The lines of one kind numbered from 00 without a gap.
void renumberGauges(PanelLines& lines, const Window& window, GaugeLineKind kind) {
    std::vector<const Gauge*> order;
    for (const Gauge& gauge : window.gauges) {
        if (gauge.kind == kind)
            order.push_back(&gauge);
    }
    // The order FS draws them in stays: by number, lines of one number in file order.
    std::stable_sort(order.begin(), order.end(),
                     [](const Gauge* a, const Gauge* b) { return a->number < b->number; });
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t line = order[k]->line;
        const std::string_view text = lines.text(line);
        const std::string_view key = lines.key(line);
        const std::size_t keyStart = static_cast<std::size_t>(key.data() - text.data());
        std::string renamed(text.substr(0, keyStart));
        const std::size_t prefix = gaugeKeyPrefix(kind).size();
        renamed += key.substr(0, prefix); // "gauge" as the line spells it
        renamed += gaugeKey(static_cast<long>(k), kind).substr(prefix);
        renamed += text.substr(keyStart + key.size());
        if (renamed != text)
            lines.replace(line, renamed);
    }
}

} // namespace

std::vector<Finding> checkPanel(const PanelLines& lines, const Panel& panel,
                                const Directories& dirs, CheckFacts& facts,
                                std::optional<TextEncoding> encoding,
                                std::optional<std::span<const std::string>> gaugesDirs,
                                const Installation* installation) {
    const TextEncoding used = encoding ? *encoding : panelTextEncoding(lines);
    // A variant on a base container is checked as the panel MSFS builds from both.
    const auto check = [&](const PanelLines& checked, const Panel& built) {
        return Fs2kChecker(checked, built, dirs, facts, used, gaugesDirs, installation).run();
    };
    if (auto findings = checkVariant(dirs.panelDir, lines, panel, check, facts.smallFiles()))
        return std::move(*findings);
    return check(lines, panel);
}

bool applyFix(PanelLines& lines, const Fix& fix) {
    const Panel panel = readPanel(lines);
    if (fix.window < 0 || static_cast<std::size_t>(fix.window) >= panel.windows.size())
        return false;
    const Window& window = panel.windows[static_cast<std::size_t>(fix.window)];
    if (fix.kind == FixKind::RenumberGauges) {
        for (GaugeLineKind kind : kGaugeLineKinds)
            renumberGauges(lines, window, kind);
        return true;
    }
    if ((fix.kind != FixKind::MoveGauge && fix.kind != FixKind::QueryAmpersand) || fix.gauge < 0 ||
        static_cast<std::size_t>(fix.gauge) >= window.gauges.size())
        return false;
    const std::size_t line = window.gauges[static_cast<std::size_t>(fix.gauge)].line;
    if (fix.kind == FixKind::QueryAmpersand)
        return makeQueryAmpersand(lines, line);
    setGaugeField(lines, line, 0, plainNumberText(fix.x));
    setGaugeField(lines, line, 1, plainNumberText(fix.y));
    return true;
}

} // namespace cockpix::fs2k
