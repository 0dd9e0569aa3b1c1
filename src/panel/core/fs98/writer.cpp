#include "panel/core/fs98/writer.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "panel/core/fs98/edits.h"
#include "panel/core/placelimits.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace cockpix::fs98 {
namespace {

constexpr std::string_view kGeneratedHeader =
    "/ Panel file generated with COCKPIX V.2.5.3 by Quenvald, 1998";

// Every line of panel.cfg ends CR LF, as FS98 and Windows editors expect.
class LineWriter {
public:
    void line(std::string_view text) {
        m_text.append(text);
        m_text.append("\r\n");
    }
    void blank() { m_text.append("\r\n"); }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

// The template keeps an edited ident as typed; FS98 only understands a number there, so a
// text that is not one is left out rather than written as garbage.
std::optional<std::string> identText(const WindowIdent& ident) {
    if (!ident.isText)
        return plainNumberText(ident.number);
    if (const std::optional<double> value = strictNumericValue(ident.text))
        return plainNumberText(*value);
    return std::nullopt;
}

std::string twoDigits(int number) {
    std::string text = std::to_string(number);
    return number < 10 ? "0" + text : text;
}

// A size that the panel window only measured stays out of the file, so FS98 keeps taking
// the gauge's own default width; every size of the gauge's own is written, 0 too, which
// the window shows as no gauge (left out, FS98 would draw the module's size instead). A
// slot without a module keeps FS98's layout of it: "gauge05=, 0, 0".
bool writesGaugeSize(const Gauge& gauge) {
    if (gauge.gaugeName.empty() && gauge.gaugeSize == gauge.gaugeRefSize)
        return false;
    return hasOwnGaugeSize(gauge);
}

// " 12", "-3.5": a gauge's field after its comma.
std::string paddedPlace(double value) {
    std::string text = placeNumberText(value);
    return text.front() == '-' ? text : " " + text;
}

void writeWindowSection(LineWriter& out, int w, const PanelWindow& window) {
    out.blank();
    out.line("[Window0" + std::to_string(w) + "]");
    out.blank();
    out.line("file=" + window.windowBitmap + ".bmp");
    out.line("size_mm=" + plainNumberText(window.windowSizeMm));
    if (window.windowSizeRatio > 0)
        out.line("windowsize_ratio=" + plainNumberText(window.windowSizeRatio));
    out.line("position=" + plainNumberText(window.windowPosition));
    out.line("visible=" + plainNumberText(window.windowVisible));
    if (const std::optional<std::string> ident = identText(window.windowIdent))
        out.line("ident=" + *ident);
    out.blank();
    const int gaugeCount = std::clamp(window.gaugeCount, 0, kGaugeSlots);
    for (int g = 0; g < gaugeCount; ++g)
        out.line(fs98GaugeLine(g, window.gauges[static_cast<std::size_t>(g)]));
}

void writeColourPart(LineWriter& out, const Panel& panel, const PaletteSaveOptions& options,
                     int advisedColorCount, const std::vector<std::string>* paletteResultLines) {
    if (savesPaletteProposal(options, advisedColorCount)) {
        // The optimizer's result starts with its own "[8 bit colors]" header. When it has
        // gone missing the colour section is left out; the old file is still in its backup.
        if (paletteResultLines != nullptr) {
            out.blank();
            for (const std::string& line : *paletteResultLines)
                out.line(line);
        }
        return;
    }
    const int colorCount = std::clamp(panel.colorLineCount, 0, kColorSlots);
    if (!options.keepColors || colorCount == 0)
        return;
    out.blank();
    out.line("[8 Bit Colors]");
    out.blank();
    for (int i = 1; i <= colorCount; ++i)
        out.line(panel.colorLine[static_cast<std::size_t>(i)]);
}

void writeDefaultView(LineWriter& out, const Panel& panel) {
    out.blank();
    out.line("[Default View]");
    out.blank();
    out.line("X=" + paddedNumberText(panel.defaultViewX));
    out.line("Y=" + paddedNumberText(panel.defaultViewY));
    out.line("SIZE_X=" + paddedNumberText(panel.defaultViewSizeX));
    out.line("SIZE_Y=" + paddedNumberText(panel.defaultViewSizeY));
}

// The result file of the palette optimizer may come from Windows: any line end goes.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::optional<std::vector<std::string>> paletteResultLines(const SaveRequest& request) {
    if (!savesPaletteProposal(request.options, request.proposal.advisedColorCount))
        return std::nullopt;
    if (!request.proposal.lines.empty())
        return request.proposal.lines;
    const std::optional<std::string> content = readWholeFile(request.proposal.resultFile);
    if (!content)
        return std::nullopt;
    return splitLines(*content);
}

} // namespace

std::string fs98GaugeLine(int g, const Gauge& gauge) {
    std::string text = "gauge" + twoDigits(g) + "=" + gauge.gaugeName + "," +
                       paddedPlace(gauge.gaugeX) + "," + paddedPlace(gauge.gaugeY);
    if (writesGaugeSize(gauge))
        text += "," + paddedPlace(gauge.gaugeSize);
    return text;
}

bool savesPaletteProposal(const PaletteSaveOptions& options, int advisedColorCount) {
    return advisedColorCount > 0 && options.saveNewPalette && options.keepColors;
}

std::string panelFileText(const Panel& panel, const PaletteSaveOptions& options,
                          int advisedColorCount,
                          const std::vector<std::string>* paletteResultLines) {
    LineWriter out;
    const int preambleCount = std::clamp(panel.preambleLineCount, 0, kPreambleSlots);
    for (int i = 1; i <= preambleCount; ++i)
        out.line(panel.preambleLine[static_cast<std::size_t>(i)]);
    out.line(kGeneratedHeader);

    const int windowCount = std::clamp(panel.windowCount, 0, kWindowSlots);
    out.blank();
    out.line("[Window Titles]");
    out.blank();
    for (int w = 0; w < windowCount; ++w)
        out.line("window0" + std::to_string(w) + "=" + panel.window(w).windowTitle);
    for (int w = 0; w < windowCount; ++w)
        writeWindowSection(out, w, panel.window(w));

    writeColourPart(out, panel, options, advisedColorCount, paletteResultLines);
    writeDefaultView(out, panel);
    return out.take();
}

std::string savedPanelText(const Panel& panel, const SaveRequest& request) {
    const std::optional<std::vector<std::string>> palette = paletteResultLines(request);
    return panelFileText(panel, request.options, request.proposal.advisedColorCount,
                         palette ? &*palette : nullptr);
}

SaveResult savePanel(const Panel& panel, const SaveRequest& request) {
    if (panel.windowCount <= 0) {
        SaveResult result;
        result.message = "The panel has no windows: nothing was saved.";
        return result;
    }
    return savePanelBytes(savedPanelText(panel, request), request.panelDir, request.outputPath,
                          request.replaceReadOnly);
}

} // namespace cockpix::fs98
