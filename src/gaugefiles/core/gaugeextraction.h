#pragma once

// The file-level policy around the gauge module searches, as the panel window runs it for
// every gauge: where the module and its extracted bitmap live, when a bitmap already on
// disk is reused, the fallback copies of the bitmaps shipped in the program directory, and
// the warning texts. The core never shows a warning; it returns the texts (lines joined by
// "\n") in the order the user must see them, and the caller shows each in a message box.

#include "base/core/usertext.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/paneldisplay.h"
#include "settings/core/settings.h"

#include <string>
#include <vector>

namespace cockpix {

inline constexpr const char* kDefaultGaugeBitmapName = "default_gauge_bitmap.bmp";
inline constexpr const char* kDefaultBackgroundBitmapName = "default_background_bitmap.bmp";

// A bitmap file of this many bytes or fewer counts as absent (an empty file left by an
// interrupted run) and is made again.
inline constexpr long long kReusableBitmapMinBytes = 11;

// Where the picture of a gauge came from.
enum class GaugeBitmapSource {
    Extracted,   // cut out of the module just now
    Reused,      // the bitmap already on disk was kept
    SpareBitmap, // module missing, the bitmap left by an earlier run is used
    DefaultCopy, // the default gauge bitmap was copied in its place
    None,        // nothing usable: even the default gauge bitmap could not be copied
};

struct GaugeBitmapResult {
    GaugeBitmapSource source = GaugeBitmapSource::None;
    std::string bitmapPath;         // the file that holds (or should hold) the picture
    std::vector<UserText> warnings; // in order, each a whole message box text
    // The bitmap's bytes when the extraction had them in hand (cut out, or the default
    // copied): the caller need not read the file again. Empty otherwise.
    std::string bitmapBytes;
    // True when the gauge's own picture is on disk (Extracted or Reused).
    bool ownPicture() const {
        return source == GaugeBitmapSource::Extracted || source == GaugeBitmapSource::Reused;
    }
};

struct GaugeSizeResult {
    double size = 0;    // the size for gaugeSize
    bool found = false; // false: the default size (a tenth of the background's width)
    std::vector<UserText> warnings;
};

// A file as the program opens it and as a message names it: a directory from the settings
// and a name from panel.cfg keep their own encodings in the message.
struct NamedPath {
    std::string path;
    UserText text;
};

// Writes a work file (an extracted or default gauge bitmap, a repaired background) in one
// go, creating the bitmap work directory if it has gone. A file that already holds these
// bytes is left alone. False when it cannot be written.
bool writeWorkFile(const std::string& path, std::string_view bytes);

// Copies the shipped default gauge bitmap (defaultPath) byte for byte to target, after the
// given warnings. On failure the result names the default itself when it can still be
// loaded from where it lies, with a warning that says what failed.
GaugeBitmapResult copyDefaultGaugeBitmap(const std::string& defaultPath, const NamedPath& target,
                                         std::vector<UserText> warnings);

// gaugesDir + name + ".gau".
NamedPath gaugeModulePath(const fs98::Panel& panel, const Directories& dirs, int w, int i);
// bmpDir + name + ".bmp"; "/" and "\" in the name become "_" so that the bitmap always
// stays in the work directory.
NamedPath gaugeBitmapPath(const fs98::Panel& panel, const Directories& dirs, int w, int i);
// panelDir + windowBitmap + ".bmp".
NamedPath backgroundBitmapPath(const fs98::Panel& panel, const Directories& dirs, int w);

// Makes sure the bitmap of gauge i of window w exists: reuses one of more than 10 bytes
// unless options.alwaysRecomputeBitmaps, otherwise extracts it from the module, found
// whatever the case of its name; falls back on a spare bitmap or a copy of the shipped
// default gauge bitmap (looked up with installedDir, see shippedFilePath), with the
// matching warning.
GaugeBitmapResult extractGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                     const std::string& installedDir, const Options& options, int w,
                                     int i);
// The same with the shipped default gauge bitmap's path already looked up (a window of many
// gauges looks it up once), and the modules read (as far as their pictures go) into
// moduleBuffer, whose storage one window's gauges share.
GaugeBitmapResult extractGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                     const Options& options, int w, int i,
                                     const std::string& defaultGaugeBitmap,
                                     std::string* moduleBuffer = nullptr);

// The same policy on explicit files (used by the command-line tool): gaugeIndex only
// numbers the gauge in the warnings, defaultGaugeBitmap is the shipped default's path.
GaugeBitmapResult extractGaugeBitmapFile(const NamedPath& module, const NamedPath& bitmap,
                                         const std::string& defaultGaugeBitmap,
                                         bool alwaysRecompute, int gaugeIndex,
                                         std::string* moduleBuffer = nullptr);

// The size of gauge i of window w from its module's size record, or windowPixelWidth / 10
// with a warning when the module or the record cannot be found. The caller stores it.
GaugeSizeResult findGaugeSize(const fs98::Panel& panel, const Directories& dirs,
                              const fs98::PanelDisplay& display, int w, int i);

// The repair when the bitmap of gauge i fails to load: copies the default gauge bitmap
// over it and returns the "Unable to extract bitmap from gauge #" warning (plus a second
// one when the default itself is missing).
GaugeBitmapResult repairGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                    const std::string& installedDir, int w, int i);

// The repair when the background of window w cannot be loaded. When no file of that name
// lies in the panel directory, the shipped default background is copied there (under the
// name panel.cfg expects) with the "Can not find the background picture" warning. A file
// that is there but cannot be shown is never overwritten: the default is shown from where
// it is shipped, and the warning says so. A second warning follows when the default is
// missing or cannot be written.
struct BackgroundRepair {
    bool written = false;       // the default now lies at the background path
    std::string backgroundPath; // the file to load the picture from; empty when none
    std::vector<UserText> warnings;
};
BackgroundRepair restoreDefaultBackground(const fs98::Panel& panel, const Directories& dirs,
                                          const std::string& installedDir, int w);

// Progress window captions, for gauge i of n.
std::string extractionProgressCaption(int i, int n); // "Please wait, processing gauge # 3 /  9"
std::string sizeSearchProgressCaption(int i,
                                      int n);     // "Please wait, seeking size of gauge # 3 / ..."
std::string drawingProgressCaption(int i, int n); // "Please wait, drawing gauge # 3 / ..."
// The progress bar value (i + 1) * 100 / n, 0..100 (0 when n <= 0).
int progressPercent(int i, int n);

} // namespace cockpix
