#include "template/core/fs98/checks.h"
#include "base/core/filelookup.h"

#include "base/core/asciicase.h"
#include "base/core/numbertext.h"
#include "panel/core/fs98/edits.h"
#include "panel/core/placelimits.h"
#include "template/core/checktext.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>

namespace cockpix::fs98 {
namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string shownNumber(double value) {
    return plainNumberText(std::round(value * 10) / 10);
}

UserText quotedName(const std::string& name, const char* extension = "") {
    UserText quoted("'");
    quoted.append(UserText::Kind::PanelText, name);
    quoted.append(UserText::Kind::Plain, extension);
    return quoted.append(UserText::Kind::Plain, "'");
}

// The background of a window in panel units: size_mm across, as high as the bitmap's
// proportions make it.
struct WindowArea {
    double width = 0;
    double height = 0;
    BmpSize bitmap;
};

class PanelContentChecker {
public:
    PanelContentChecker(const PanelCheckContext& context, CheckFacts& facts)
        : m_panel(context.panel), m_lines(context.lines), m_dirs(context.dirs),
          m_eightBit(context.eightBitColors), m_facts(facts) {}

    std::vector<Finding> run() {
        m_facts.beginRound();
        if (m_dirs.gaugesDir.empty())
            add(0, Severity::Warning, "no-gauges-dir",
                "the gauges directory is not set: the gauge modules are not checked", -1);
        checkWindowTable();
        for (int w = 0; w < windowCount(); ++w)
            checkWindow(w);
        checkDefaultView();
        for (int w = 0; w < windowCount(); ++w)
            for (int g = 0; g < gaugeCount(w); ++g)
                checkGauge(w, g);
        return std::move(m_findings);
    }

private:
    int windowCount() const { return std::clamp(m_panel.windowCount, 0, kWindowSlots); }
    int gaugeCount(int w) const { return std::clamp(m_panel.window(w).gaugeCount, 0, kGaugeSlots); }

    Finding& add(int line, Severity severity, const char* code, UserText text, int window,
                 int gauge = -1) {
        m_findings.push_back(makeFinding(line, severity, code, std::move(text), window, gauge));
        return m_findings.back();
    }

    static Fix fixOf(FixKind kind, int window, int gauge, std::string label) {
        Fix fix;
        fix.kind = kind;
        fix.window = window;
        fix.gauge = gauge;
        fix.label = std::move(label);
        return fix;
    }

    // ---- The window table -------------------------------------------------------------

    void checkWindowTable() {
        std::array<bool, kWindowSlots> holds{};
        for (int w = 0; w < kWindowSlots; ++w)
            holds[static_cast<std::size_t>(w)] = holdsWindow(m_panel.window(w));
        // One finding for the table, at the first window after an empty slot; its fix
        // closes every gap.
        const auto begin = holds.begin();
        const auto firstEmpty = std::find(begin, holds.end(), false);
        const auto nextHolding = std::find(firstEmpty, holds.end(), true);
        if (nextHolding != holds.end()) {
            const int w = static_cast<int>(nextHolding - begin);
            add(m_lines.windowLine(m_panel, w), Severity::Warning, "window-gap",
                sectionName(w) + " follows the empty window slot " +
                    sectionName(static_cast<int>(firstEmpty - begin)) +
                    ": the window table has a gap",
                w)
                .fix = closingGaps(holds);
        }
        for (int w = windowCount(); w < kWindowSlots; ++w) {
            if (holds[static_cast<std::size_t>(w)])
                add(m_lines.windowLine(m_panel, w), Severity::Warning, "window-beyond-count",
                    sectionName(w) + " has no line in [Window Titles]: it is not shown, and "
                                     "Save leaves it out",
                    w);
        }
    }

    static Fix closingGaps(const std::array<bool, kWindowSlots>& holds) {
        Fix fix = fixOf(FixKind::CloseWindowGaps, -1, -1, "Close the gaps of the window table");
        std::size_t next = 0;
        for (const bool wantHolding : {true, false})
            for (int w = 0; w < kWindowSlots; ++w)
                if (holds[static_cast<std::size_t>(w)] == wantHolding)
                    fix.order[next++] = w;
        return fix;
    }

    // ---- One window -------------------------------------------------------------------

    void checkWindow(int w) {
        const PanelWindow& window = m_panel.window(w);
        checkBackground(w, window);
        // An empty row has its own finding; its size says nothing more.
        if (window.windowSizeMm <= 0 && holdsWindow(window)) {
            Finding& size =
                add(m_lines.keyLine(m_panel, w, 's'), Severity::Error, "window-size-zero",
                    "size_mm of " + windowName(w) + " is " + plainNumberText(window.windowSizeMm) +
                        ": its gauges cannot be placed",
                    w);
            size.windowField = WindowField::SizeMm;
            if (const auto& area = m_areas[static_cast<std::size_t>(w)]) {
                size.fix = fixOf(FixKind::SetWindowSize, w, -1,
                                 "Set it to the bitmap's width (" +
                                     std::to_string(area->bitmap.width) + ")");
                size.fix->value = area->bitmap.width;
            }
        }
        if (window.windowSizeMm > kMaxPlaceUnits)
            add(m_lines.keyLine(m_panel, w, 's'), Severity::Error, "place-out-of-range",
                "size_mm of " + windowName(w) + " is " + plainNumberText(window.windowSizeMm) +
                    ", beyond what FS98 places (" + rangeText(placeRange(PlaceKind::Size)) + ")",
                w)
                .windowField = WindowField::SizeMm;
        if (window.windowSizeRatio <= 0) {
            Finding& ratio = add(m_lines.keyLine(m_panel, w, 'w'), Severity::Error, "ratio-zero",
                                 "the size ratio of " + windowName(w) + " is " +
                                     plainNumberText(window.windowSizeRatio) +
                                     ": its panel window shows nothing, and Save writes no "
                                     "windowsize_ratio line",
                                 w);
            ratio.windowField = WindowField::SizeRatio;
            ratio.fix = fixOf(FixKind::SetSizeRatio, w, -1, "Set the size ratio to 1");
            ratio.fix->value = 1;
        }
        const double position = window.windowPosition;
        if (position < 0 || position > 8 || position != std::floor(position))
            add(m_lines.keyLine(m_panel, w, 'p'), Severity::Warning, "window-position",
                "position " + plainNumberText(position) + " of " + windowName(w) +
                    " is outside 0-8: the window is put at the top-left corner",
                w)
                .windowField = WindowField::Position;
        if (window.windowIdent.isText && !strictNumericValue(window.windowIdent.text))
            add(m_lines.keyLine(m_panel, w, 'i'), Severity::Warning, "ident-not-number",
                "the ident " + quotedName(window.windowIdent.text) + " of " + windowName(w) +
                    " is not a number: Save leaves its ident= line out",
                w)
                .windowField = WindowField::Ident;
    }

    void checkBackground(int w, const PanelWindow& window) {
        const std::string& name = window.windowBitmap;
        const int line = m_lines.keyLine(m_panel, w, 'f');
        const Fix choose = fixOf(FixKind::ChooseBitmap, w, -1, "Choose a bitmap...");
        if (isBlank(name)) {
            const bool noSection = !m_lines.hasSection(w) && !holdsWindow(window);
            Finding& missing = noSection
                                   ? add(m_lines.titleLine(w), Severity::Error, "window-no-section",
                                         windowName(w) + " has a title but no " + sectionName(w) +
                                             " section: it has no background bitmap",
                                         w)
                                   : add(line, Severity::Error, "window-no-bitmap",
                                         windowName(w) + " has no background bitmap", w);
            missing.windowField = WindowField::Bitmap;
            missing.fix = choose;
            return;
        }
        const BitmapFacts bitmap = m_facts.bitmap(m_dirs.panelDir, name);
        if (!bitmap.found) {
            const std::string stem = name.size() > 4 ? name.substr(0, name.size() - 4) : "";
            const bool typedExtension = asciiLowered(name).ends_with(".bmp") && !isBlank(stem) &&
                                        m_facts.bitmap(m_dirs.panelDir, stem).found;
            Finding& finding = typedExtension
                                   ? add(line, Severity::Error, "bitmap-extension",
                                         "the bitmap name " + quotedName(name) +
                                             " carries its extension: FS98 looks for " +
                                             quotedName(name, ".bmp") + ", and Save writes it so",
                                         w)
                                   : add(line, Severity::Error, "bitmap-missing",
                                         "the background bitmap " + quotedName(name, ".bmp") +
                                             " is not in the panel directory",
                                         w);
            finding.windowField = WindowField::Bitmap;
            finding.fix = choose;
            if (typedExtension) {
                finding.fix = fixOf(FixKind::SetBitmapName, w, -1, "Drop the typed .bmp");
                finding.fix->name = stem;
            }
            return;
        }
        if (!bitmap.readable) {
            Finding& finding =
                add(line, Severity::Error, "bitmap-unreadable",
                    "the background " + quotedName(name, ".bmp") + " is not a complete bitmap", w);
            finding.windowField = WindowField::Bitmap;
            finding.fix = choose;
            return;
        }
        if (window.windowSizeMm > 0)
            m_areas[static_cast<std::size_t>(w)] = WindowArea{
                window.windowSizeMm, window.windowSizeMm * bitmap.size.height / bitmap.size.width,
                bitmap.size};
        else
            m_areas[static_cast<std::size_t>(w)] = WindowArea{0, 0, bitmap.size};
        if (m_eightBit && bitmap.bitsPerPixel != 8)
            add(line, Severity::Warning, "bitmap-not-8bit",
                "the background " + quotedName(name, ".bmp") + " has " +
                    std::to_string(bitmap.bitsPerPixel) +
                    " bits per pixel: the panel's [8 bit colors] are added to 8-bit bitmaps "
                    "only",
                w)
                .windowField = WindowField::Bitmap;
    }

    void checkDefaultView() {
        const DefaultView view = m_panel.defaultView();
        const struct {
            double value;
            double bound;
            const char* key;
        } values[] = {{view.x, 8191, "X"},
                      {view.y, 6153, "Y"},
                      {view.sizeX, 8191, "SIZE_X"},
                      {view.sizeY, 6153, "SIZE_Y"}};
        for (int i = 0; i < 4; ++i) {
            const auto& v = values[i];
            if (v.value >= 0 && v.value <= v.bound)
                continue;
            Finding& finding =
                add(m_lines.viewLine(i), Severity::Warning, "view-out-of-range",
                    std::string("the default view's ") + v.key + " is " + plainNumberText(v.value) +
                        ", outside 0-" + plainNumberText(v.bound),
                    -1);
            finding.viewField = i;
        }
    }

    // ---- One gauge --------------------------------------------------------------------

    void checkGauge(int w, int g) {
        const Gauge& gauge = m_panel.gauge(w, g);
        const int line = m_lines.gaugeLine(m_panel, w, g);
        if (isBlank(gauge.gaugeName)) {
            Finding& empty =
                line > 0
                    ? add(line, Severity::Error, "gauge-empty",
                          gaugeName(g) + " of " + windowName(w) + " names no module", w, g)
                    : add(m_lines.lineAfterGauge(m_panel, w, g), Severity::Error, "gauge-empty",
                          gaugeName(g) + " of " + windowName(w) +
                              " has no line: the window holds an empty gauge there (Save "
                              "writes '" +
                              gaugeName(g) + "=, 0, 0')",
                          w, g);
            empty.fix = fixOf(FixKind::RemoveGauge, w, g, "Remove the empty gauge");
            return;
        }
        checkSecondUse(w, g, line);
        checkGaugeRange(w, g, line, gauge);
        static const ModuleFacts unknown;
        const bool checkModules = !m_dirs.gaugesDir.empty();
        const ModuleFacts& module =
            checkModules ? m_facts.module(m_dirs.gaugesDir, gauge.gaugeName) : unknown;
        if (checkModules && !module.found) {
            add(line, Severity::Error, "module-missing",
                "the gauge module " + quotedName(gauge.gaugeName, ".gau") +
                    " is not in the gauges directory",
                w, g)
                .fix = fixOf(FixKind::ChooseModule, w, g, "Choose a module...");
        } else if (checkModules) {
            if (!module.picture)
                add(line, Severity::Warning, "module-no-picture",
                    "no picture can be found in " + quotedName(gauge.gaugeName, ".gau") +
                        ": COCKPIX shows a default picture for this gauge",
                    w, g);
            // Whether a window was opened (and measured a size) changes nothing in the file.
            if (!hasOwnGaugeSize(gauge) && !module.defaultSize)
                add(line, Severity::Warning, "module-no-size",
                    "the gauge line gives no size and " + quotedName(gauge.gaugeName, ".gau") +
                        " holds none: COCKPIX makes the gauge a tenth of the background's width",
                    w, g);
        }
        const std::optional<double> size = effectiveSize(w, gauge, module);
        if (size && *size <= 0) {
            Finding& zero = add(line, Severity::Error, "gauge-size-zero",
                                gaugeName(g) + " of " + windowName(w) + " has a size of " +
                                    plainNumberText(*size) + ": it is not shown",
                                w, g);
            if (module.defaultSize && *module.defaultSize > 0) {
                zero.fix = fixOf(FixKind::SetGaugeSize, w, g,
                                 "Give it the module's own size (" +
                                     std::to_string(*module.defaultSize) + ")");
                zero.fix->value = *module.defaultSize;
            }
            return;
        }
        if (size)
            checkPlace(w, g, line, gauge, *size, aspectOf(gauge, module));
    }

    // X, Y and a size of the line's own beyond what FS98 places; a size of 0 or less has
    // its own finding.
    void checkGaugeRange(int w, int g, int line, const Gauge& gauge) {
        const struct {
            const char* name;
            double value;
            PlaceKind kind;
        } fields[] = {{"X", gauge.gaugeX, PlaceKind::Position},
                      {"Y", gauge.gaugeY, PlaceKind::Position},
                      {"S", hasOwnGaugeSize(gauge) ? gauge.gaugeSize : 0, PlaceKind::Size}};
        for (const auto& field : fields) {
            const PlaceRange range = placeRange(field.kind);
            if (range.holds(field.value) || (field.kind == PlaceKind::Size && field.value < 0))
                continue;
            add(line, Severity::Error, "place-out-of-range",
                gaugeName(g) + " of " + windowName(w) + " has " + field.name + " = " +
                    plainNumberText(field.value) + ", beyond where FS98 places a gauge (" +
                    rangeText(range) + ")",
                w, g);
        }
    }

    void checkSecondUse(int w, int g, int line) {
        const auto [first, isFirst] =
            m_firstUses.try_emplace(m_panel.gauge(w, g).gaugeName, FirstUse{w, g, line});
        if (isFirst)
            return;
        const FirstUse& use = first->second;
        const std::string where = use.line > 0
                                      ? "line " + std::to_string(use.line)
                                      : gaugeName(use.gauge) + " of " + windowName(use.window);
        add(line, Severity::Error, "module-twice",
            "the module " + quotedName(m_panel.gauge(w, g).gaugeName) +
                " is used a second time (first on " + where +
                "): FS98 shows a module once in a panel",
            w, g)
            .fix = fixOf(FixKind::RemoveGauge, w, g, "Remove this second use");
    }

    // The size the gauge is shown with: its own, or for a line without one the module's
    // (a tenth of the background's width when the module holds none).
    std::optional<double> effectiveSize(int w, const Gauge& gauge, const ModuleFacts& module) {
        if (hasOwnGaugeSize(gauge))
            return gauge.gaugeSize;
        if (module.defaultSize)
            return *module.defaultSize;
        if (const auto& area = m_areas[static_cast<std::size_t>(w)])
            return area->bitmap.width / 10.0;
        return std::nullopt;
    }

    // Height over width of the gauge's picture, 0 when it is not known.
    double aspectOf(const Gauge& gauge, const ModuleFacts& module) const {
        if (module.picture)
            return double(module.picture->height) / module.picture->width;
        // A spare bitmap of an earlier run stands in for a missing module's picture; without
        // a work directory there is none (never one of the current directory).
        if (m_dirs.bmpDir.empty())
            return 0;
        if (const BitmapFacts spare = m_facts.bitmap(m_dirs.bmpDir, gauge.gaugeName);
            spare.readable)
            return double(spare.size.height) / spare.size.width;
        return 0;
    }

    void checkPlace(int w, int g, int line, const Gauge& gauge, double size, double aspect) {
        const auto& area = m_areas[static_cast<std::size_t>(w)];
        if (!area || area->width <= 0)
            return;
        const double width = size;
        const double height = size * aspect;
        const double x = gauge.gaugeX;
        const double y = gauge.gaugeY;
        const double slack = 1e-9 * std::max(1.0, area->width);
        const bool wholly = x >= area->width - slack || y >= area->height - slack ||
                            x + width <= slack || (height > 0 ? y + height <= slack : y < -slack);
        std::vector<std::string> edges;
        if (x < -slack)
            edges.push_back("left");
        if (y < -slack)
            edges.push_back("top");
        if (x + width > area->width + slack)
            edges.push_back("right");
        if (y + height > area->height + slack)
            edges.push_back("bottom");
        if (!wholly && edges.empty())
            return;
        const std::string areaText =
            " (" + shownNumber(area->width) + " x " + shownNumber(area->height) + ")";
        UserText text;
        if (wholly) {
            text = gaugeName(g) + " lies outside the background of " + windowName(w) + areaText;
        } else {
            std::string joined;
            for (std::size_t i = 0; i < edges.size(); ++i)
                joined += (i == 0 ? "" : i + 1 == edges.size() ? " and " : ", ") + edges[i];
            text = gaugeName(g) + " reaches past the " + joined +
                   (edges.size() > 1 ? " edges" : " edge") + " of the background of " +
                   windowName(w) + areaText;
        }
        Finding& finding = add(line, wholly ? Severity::Error : Severity::Warning,
                               wholly ? "gauge-outside" : "gauge-overhang", text, w, g);
        if (width > area->width || height > area->height)
            return; // too big to fit: no place inside is obvious
        // Only the coordinates that are out change, to whole panel units inside.
        Fix fix = fixOf(FixKind::MoveGauge, w, g, "Move it back inside");
        fix.x = x < 0 ? 0 : x + width > area->width ? std::floor(area->width - width) : x;
        fix.y = y < 0 ? 0 : y + height > area->height ? std::floor(area->height - height) : y;
        finding.fix = fix;
    }

    struct FirstUse {
        int window = 0;
        int gauge = 0;
        int line = 0;
    };

    const Panel& m_panel;
    const PanelLineMap& m_lines;
    const Directories& m_dirs;
    bool m_eightBit;
    CheckFacts& m_facts;
    std::array<std::optional<WindowArea>, kWindowSlots> m_areas;
    // By module name, case ignored: the panel's names point into the panel, which outlives
    // the check.
    std::unordered_map<std::string_view, FirstUse, CaseBlindHash, CaseBlindEqual> m_firstUses;
    std::vector<Finding> m_findings;
};

} // namespace

bool holdsWindow(const PanelWindow& window) {
    return !isBlank(window.windowBitmap) || window.gaugeCount > 0;
}

std::vector<Finding> checkPanelContent(const PanelCheckContext& context, CheckFacts& facts) {
    return PanelContentChecker(context, facts).run();
}

} // namespace cockpix::fs98
