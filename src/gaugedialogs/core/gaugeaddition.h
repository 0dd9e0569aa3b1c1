#pragma once

// The rules of the add gauge dialog (Form5): picking a module of the gauges directory
// refuses one the panel already uses (FS98 does not load a module twice in one panel), cuts
// its picture out with this dialog's own reuse threshold and messages, and the gauge is
// appended at X = Y = 0 with the picture's natural size.

#include "base/core/bmpheader.h"
#include "base/core/usertext.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"
#include "settings/core/settings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// A bitmap on disk of this many bytes or more is reused by a pick (the panel window's
// threshold is lower: a pick is the user asking to see the module, so a doubtful file is
// cut out again).
inline constexpr long long kPickReusableBitmapMinBytes = 51;

inline constexpr const char* kPickProgressCaption = "Please wait, processing gauge...";

struct GaugeLocation {
    int window = 0;
    int gauge = 0;
    friend bool operator==(const GaugeLocation&, const GaugeLocation&) = default;
};

// The gauge of the panel (windows 0..windowCount-1, their gauges in order) whose module is
// the file moduleFile (compared ignoring case); the last such gauge when several are.
std::optional<GaugeLocation> findGaugeUsingModule(const fs98::Panel& panel,
                                                  const std::string& moduleFile);

// "You already have this gauge in window #1, line #4" ... "Choice cancelled." (a paste
// ends it with "Paste cancelled.").
UserText duplicateGaugeMessage(const GaugeLocation& where,
                               std::string_view cancelled = "Choice cancelled.");

// addSelectedBitmap: the file name without its last three characters, then "bmp".
std::string pickBitmapName(const std::string& moduleFile);
// The gauge name of a module file: without its last four characters (".gau"), in the
// letter case of the listed file.
std::string gaugeNameOfModuleFile(const std::string& moduleFile);

struct GaugePick {
    std::string selectedFile;   // addSelectedFile
    std::string selectedBitmap; // addSelectedBitmap
    bool cancelled = false;     // addCancelled: refused as a duplicate
    std::string modulePath;     // gauges directory + the listed name
    std::string bitmapPath;     // the bitmap the snapshot shows (the file may be missing)
    bool failed = false;        // the failure path ran: the default gauge bitmap stands in
    std::vector<UserText> messages;
    // A pick the dialog may add: made, and not refused.
    bool addable() const { return !selectedFile.empty() && !cancelled; }
};

// The pick of module file moduleFile (a name of the gauges directory's list): duplicate
// check, then the bitmap, reused when it has at least 51 bytes and "Always recompute
// bitmaps" is off, otherwise cut out of the module; the default gauge bitmap when the
// module cannot be read or holds no picture (shipped with the program: see shippedFilePath
// for installedDir). checkpoint runs before the module is read and after each step of
// reading, cutting out and writing: the dialog keeps its progress window up to date from
// there, so that it shows once the pick lasts.
GaugePick pickGaugeModule(const fs98::Panel& panel, const Directories& dirs,
                          const std::string& installedDir, const Options& options,
                          const std::string& moduleFile,
                          const std::function<void()>& checkpoint = {});

// The failure path of a pick whose bitmap does not load as a picture: its message, and the
// default gauge bitmap copied onto the bitmap path.
void failGaugePick(GaugePick& pick, const Directories& dirs, const std::string& installedDir);

// The gauge an add appends for the pick: X = Y = 0, its natural size (bitmap width /
// windowScale; a tenth of the background's width when the picture could not be measured,
// the bitmap width itself while the window has no scale yet). Its reference size is 0, so
// the size is written: FS98 would otherwise draw the module's own size, not the one shown.
fs98::Gauge newGaugeForPick(const GaugePick& pick, BmpSize bitmap,
                            const fs98::WindowDisplay& window);

} // namespace cockpix
