#pragma once

// The arithmetic and checks behind three buttons of a template row: viewing the panel
// window, and the two "Auto" buttons that take the window size and the size ratio from the
// width of the window's background bitmap. The template window only shows the outcome.

#include "base/core/usertext.h"
#include "palette/core/windowbitmapchoice.h" // cantFindBitmapMessage
#include "panel/core/fs98/panel.h"
#include "settings/core/settings.h"

#include <optional>
#include <string>

namespace cockpix::fs98 {

enum class ViewCheck {
    Ready,          // the panel window may be loaded
    WrongGaugesDir, // the probe module is not in the gauges directory
    EmptyWindow,    // the row has no background bitmap name
};

// Whether row w can be shown. The gauges directory is tested first: without the module
// every FS98 gauges directory holds, no window can be drawn.
ViewCheck checkViewWindow(const Panel& panel, const Directories& dirs, int w);

// The two messages of the view command.
std::string emptyWindowMessage();
std::string wrongGaugesDirMessage();

// What an "Auto" button did: the message to show (empty for none), the value it stores
// (the size, or the ratio with the zoom 1 / ratio) and the text to write into the row's
// box, whose handling stores the value again (nullopt leaves the box as it is).
struct AutoOutcome {
    UserText message;
    std::optional<double> value;
    std::optional<double> zoom;
    std::optional<std::string> boxText;
};

// "Auto" size: a 9-pixel-wide background is FS98's stand-in for "no picture", so the size
// becomes 0; any other width becomes the size. The box always shows the size stored.
AutoOutcome autoSizeForWidth(int bitmapWidth);

// "Auto" ratio: the bitmap's share of the screen width in single precision, at most 1;
// the zoom becomes its inverse. Nothing changes when either width is not positive.
AutoOutcome autoRatioForWidth(int bitmapWidth, int screenWidth);

// Both "Auto" buttons on the bitmap file itself, found whatever its case. A missing file
// gives the "Can't find" message and changes nothing; a file that is not a readable bitmap
// says so and changes nothing. The size button measures panelDir + windowBitmap[w] +
// ".bmp"; the ratio button measures the name in the row's bitmap box (bitmapBoxText) and
// does nothing while that box is empty.
AutoOutcome autoSizeFromBitmap(const Panel& panel, const std::string& panelDir, int w);
AutoOutcome autoRatioFromBitmap(const Panel& panel, const std::string& panelDir, int w,
                                const std::string& bitmapBoxText, int screenWidth);

UserText unreadableBitmapMessage(const std::string& bitmapPath);

} // namespace cockpix::fs98
