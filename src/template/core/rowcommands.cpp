#include "template/core/rowcommands.h"

#include "app/core/directoryrules.h"
#include "app/core/filelookup.h"
#include "gauges/core/bmpheader.h"
#include "panel/core/numbertext.h"

#include <charconv>

namespace cockpix {
namespace {

// FS98 tools wrote a 9-pixel placeholder where a window has no real picture.
constexpr int kPlaceholderBitmapWidth = 9;

bool isBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// A single-precision value as the template shows it: 7 significant digits, so that 640
// pixels on a 1366-pixel screen read .4685212 rather than the double expansion of a float.
std::string singlePrecisionText(float value) {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    if (ec != std::errc{})
        return plainNumberText(value);
    double rounded = 0;
    std::from_chars(buffer, end, rounded);
    return plainNumberText(rounded);
}

// The width of a panel bitmap, or why it cannot be measured.
struct Measured {
    enum class Kind { Ok, Missing, Unreadable } kind = Kind::Missing;
    int width = 0;
    std::string path;
};

Measured measureBitmap(const PanelModel& model, const std::string& name) {
    const auto found = findPathIgnoringCase(model.dirs.panelDir + name + ".bmp");
    if (!found)
        return {};
    const auto size = readBmpFileSize(*found);
    if (!size)
        return {Measured::Kind::Unreadable, 0, *found};
    return {Measured::Kind::Ok, size->width, *found};
}

// The message for a bitmap that could not be measured. A missing file is named by the
// window's bitmap name, and only when the window has one.
std::string failureMessage(const PanelModel& model, int w, const Measured& measured) {
    if (measured.kind == Measured::Kind::Unreadable)
        return unreadableBitmapMessage(measured.path);
    const std::string& name = model.window(w).windowBitmap;
    return name.empty() ? std::string{} : cantFindBitmapMessage(name, model.dirs.panelDir);
}

} // namespace

ViewCheck checkViewWindow(const PanelModel& model, int w) {
    if (model.dirs.gaugesDir.empty() ||
        !findPathIgnoringCase(model.dirs.gaugesDir + std::string(kGaugesProbeFile)))
        return ViewCheck::WrongGaugesDir;
    if (w < 0 || w >= kWindowSlots || isBlank(model.window(w).windowBitmap))
        return ViewCheck::EmptyWindow;
    return ViewCheck::Ready;
}

std::string emptyWindowMessage() {
    return "Empty window!";
}

std::string wrongGaugesDirMessage() {
    return "Your current gauges directory seems to be wrong.\n"
           "Please set the gauges directory path before continuing.";
}

std::string cantFindBitmapMessage(const std::string& bitmapName, const std::string& panelDir) {
    return "Can't find '" + bitmapName + ".bmp' in " + panelDir + "\n" +
           "Please move it to this directory, or change panel directory before continuing.";
}

std::string unreadableBitmapMessage(const std::string& bitmapPath) {
    return "Can't read the picture '" + bitmapPath + "'.\n" +
           "It is not a Windows bitmap COCKPIX can measure; the window keeps its values.";
}

AutoOutcome applyAutoSize(PanelModel& model, int w, int bitmapWidth) {
    PanelWindow& window = model.window(w);
    if (bitmapWidth == kPlaceholderBitmapWidth) {
        window.windowSizeMm = 0;
        return {};
    }
    window.windowSizeMm = bitmapWidth;
    return {{}, plainNumberText(bitmapWidth)};
}

AutoOutcome applyAutoRatio(PanelModel& model, int w, int bitmapWidth, int screenWidth) {
    if (bitmapWidth <= 0 || screenWidth <= 0)
        return {};
    float ratio = static_cast<float>(bitmapWidth) / static_cast<float>(screenWidth);
    if (ratio > 1.0f)
        ratio = 1.0f;
    PanelWindow& window = model.window(w);
    window.windowSizeRatio = ratio;
    window.windowZoom = 1.0f / ratio;
    return {{}, singlePrecisionText(ratio)};
}

AutoOutcome autoSizeFromBitmap(PanelModel& model, int w) {
    if (w < 0 || w >= kWindowSlots)
        return {};
    const Measured measured = measureBitmap(model, model.window(w).windowBitmap);
    if (measured.kind != Measured::Kind::Ok)
        return {failureMessage(model, w, measured), std::nullopt};
    return applyAutoSize(model, w, measured.width);
}

AutoOutcome autoRatioFromBitmap(PanelModel& model, int w, const std::string& bitmapBoxText,
                                int screenWidth) {
    if (w < 0 || w >= kWindowSlots || bitmapBoxText.empty())
        return {};
    const Measured measured = measureBitmap(model, bitmapBoxText);
    if (measured.kind != Measured::Kind::Ok)
        return {failureMessage(model, w, measured), std::nullopt};
    return applyAutoRatio(model, w, measured.width, screenWidth);
}

} // namespace cockpix
