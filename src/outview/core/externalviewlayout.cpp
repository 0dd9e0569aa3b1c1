#include "outview/core/externalviewlayout.h"

#include "base/core/numbertext.h"
#include "panel/core/fs98/edits.h"

namespace cockpix {
namespace {

// "Hide menu-bar" leaves FS98's status band of 20 pixels at the bottom of the screen.
constexpr double kHiddenMenuMarginY = 20;

double singlePrecision(double value) {
    return static_cast<float>(value);
}

} // namespace

double outsideViewScaleFactor(double screenWidthTwips) {
    // Each factor is the width in twips / 8192, to three decimals, as FS98's tools listed
    // them; the comparisons are exact.
    if (screenWidthTwips == 12000)
        return 1.465;
    if (screenWidthTwips == 15360)
        return 1.875;
    if (screenWidthTwips == 19200)
        return 2.344;
    if (screenWidthTwips == 24000)
        return 2.93;
    return 1.172;
}

ExternalViewLayout layoutExternalView(const ExternalViewInput& input) {
    ExternalViewLayout layout;
    const double screenWidth = singlePrecision(input.screenWidthPx);
    const double screenHeight = singlePrecision(input.screenHeightPx);
    layout.frameRatioY = screenHeight != 0 ? (screenHeight - kHiddenMenuMarginY) / screenHeight : 0;
    layout.sizeRatio = input.sizeRatio == 0 ? 1 : input.sizeRatio;

    const double pixelWidth = input.bitmap ? input.bitmap->width : 0;
    const double pixelHeight = input.bitmap ? input.bitmap->height : 0;
    if (pixelWidth != 0)
        layout.zoom = screenWidth / pixelWidth;
    const double k = layout.zoom * layout.sizeRatio;
    layout.picture.width = pixelWidth * layout.sizeRatio * layout.zoom * kTwipsPerPixel;
    layout.picture.height =
        pixelHeight * layout.sizeRatio * layout.zoom * kTwipsPerPixel * layout.frameRatioY;
    // Unlike a panel window's, the free space carries no horizontal frame ratio: the frame
    // window stands for the bare screen.
    const double dx = screenWidth - pixelWidth * k;
    const double dy = (screenHeight - pixelHeight * k) * layout.frameRatioY;
    const fs98::PointF offset = fs98::positionOffset(input.position, dx, dy);
    layout.picture.left = kTwipsPerPixel * offset.x;
    layout.picture.top = kTwipsPerPixel * offset.y;

    layout.scale = outsideViewScaleFactor(input.screenWidthPx * kTwipsPerPixel);
    layout.view = input.view;
    if (layout.view.sizeY == 0)
        layout.view.sizeY = kDefaultViewSizeWhenZero;
    if (layout.view.sizeX == 0)
        layout.view.sizeX = kDefaultViewSizeWhenZero;
    const double s = layout.scale;
    layout.frame = {singlePrecision(s * layout.view.x),
                    singlePrecision(s * layout.view.y * layout.frameRatioY),
                    singlePrecision(s * layout.view.sizeX),
                    singlePrecision(s * layout.view.sizeY * layout.frameRatioY)};
    return layout;
}

std::string externalViewCorrectionsName(int w, double ratio, const fs98::DefaultView& view,
                                        const ExternalViewLayout& layout) {
    std::string changes;
    const auto add = [&](const std::string& what, double before, double after) {
        if (before == after)
            return;
        changes += (changes.empty() ? "" : ", ") + what + " " + plainNumberText(before) + " to " +
                   plainNumberText(after);
    };
    add(fs98::windowFieldStepName(w, fs98::WindowField::SizeRatio), ratio, layout.sizeRatio);
    add("view size X", view.sizeX, layout.view.sizeX);
    add("view size Y", view.sizeY, layout.view.sizeY);
    return changes.empty() ? changes : "Outside-view frame: " + changes;
}

std::string externalViewTitle(int w, const std::string& bitmap, double position, double ratio) {
    return "Window" + paddedNumberText(w) + ": " + bitmap +
           " - Position:" + paddedNumberText(position) +
           " - size ratio:" + paddedNumberText(ratio) + " - Shown with 'Hide menu-bar' on.";
}

} // namespace cockpix
