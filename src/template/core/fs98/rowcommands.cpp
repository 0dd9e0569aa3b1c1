#include "template/core/fs98/rowcommands.h"

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "base/core/numbertext.h"

#include <charconv>

namespace cockpix::fs98 {
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

Measured measureBitmap(const std::string& panelDir, const std::string& name) {
    const auto found = findPathIgnoringCase(panelDir + name + ".bmp");
    if (!found)
        return {};
    const auto size = readBmpFileSize(*found);
    if (!size)
        return {Measured::Kind::Unreadable, 0, *found};
    return {Measured::Kind::Ok, size->width, *found};
}

// The message for a bitmap that could not be measured. A missing file is named by the
// window's bitmap name, and only when the window has one.
UserText failureMessage(const Panel& panel, const std::string& panelDir, int w,
                        const Measured& measured) {
    if (measured.kind == Measured::Kind::Unreadable)
        return unreadableBitmapMessage(measured.path);
    const std::string& name = panel.window(w).windowBitmap;
    return name.empty() ? UserText() : cantFindBitmapMessage(name, panelDir);
}

} // namespace

ViewCheck checkViewWindow(const Panel& panel, const Directories& dirs, int w) {
    if (dirs.gaugesDir.empty() ||
        !findPathIgnoringCase(dirs.gaugesDir + std::string(kGaugesProbeFile)))
        return ViewCheck::WrongGaugesDir;
    if (!isWindowSlot(w) || isBlank(panel.window(w).windowBitmap))
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

UserText unreadableBitmapMessage(const std::string& bitmapPath) {
    return "Can't read the picture '" + UserText::path(bitmapPath) + "'.\n" +
           "It is not a Windows bitmap COCKPIX can measure; the window keeps its values.";
}

AutoOutcome autoSizeForWidth(int bitmapWidth) {
    // The box shows the 0 too: a box still holding the old size would tell the user
    // something else than the panel and the saved file.
    if (bitmapWidth == kPlaceholderBitmapWidth)
        return {{}, 0.0, std::nullopt, plainNumberText(0)};
    return {{}, double(bitmapWidth), std::nullopt, plainNumberText(bitmapWidth)};
}

AutoOutcome autoRatioForWidth(int bitmapWidth, int screenWidth) {
    if (bitmapWidth <= 0 || screenWidth <= 0)
        return {};
    float ratio = static_cast<float>(bitmapWidth) / static_cast<float>(screenWidth);
    if (ratio > 1.0f)
        ratio = 1.0f;
    return {{}, double(ratio), double(1.0f / ratio), singlePrecisionText(ratio)};
}

AutoOutcome autoSizeFromBitmap(const Panel& panel, const std::string& panelDir, int w) {
    if (!isWindowSlot(w))
        return {};
    const Measured measured = measureBitmap(panelDir, panel.window(w).windowBitmap);
    if (measured.kind != Measured::Kind::Ok)
        return {failureMessage(panel, panelDir, w, measured), {}, {}, {}};
    return autoSizeForWidth(measured.width);
}

AutoOutcome autoRatioFromBitmap(const Panel& panel, const std::string& panelDir, int w,
                                const std::string& bitmapBoxText, int screenWidth) {
    if (!isWindowSlot(w) || bitmapBoxText.empty())
        return {};
    const Measured measured = measureBitmap(panelDir, bitmapBoxText);
    if (measured.kind != Measured::Kind::Ok)
        return {failureMessage(panel, panelDir, w, measured), {}, {}, {}};
    return autoRatioForWidth(measured.width, screenWidth);
}

} // namespace cockpix::fs98
