#include "gaugedialogs/core/gaugeaddition.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/core/gaugemodule.h"
#include "settings/core/shippedfiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace cockpix {
namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return text;
}

long long fileLength(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return 0;
    const auto length = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<long long>(length);
}

// A listed name never holds a separator; a name handed in from elsewhere must not send the
// bitmap out of the work directory.
std::string withoutSeparators(std::string name) {
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\\', '_');
    return name;
}

NamedPath bitmapOf(const Directories& dirs, const GaugePick& pick) {
    return {pick.bitmapPath,
            UserText::path(dirs.bmpDir) + UserText::path(withoutSeparators(pick.selectedBitmap))};
}

void copyDefaultOnto(GaugePick& pick, const Directories& dirs, const std::string& installedDir,
                     std::vector<UserText> messages) {
    const GaugeBitmapResult copied = copyDefaultGaugeBitmap(
        shippedFilePath(dirs.programDir, installedDir, kDefaultGaugeBitmapName),
        bitmapOf(dirs, pick), std::move(messages));
    pick.messages.insert(pick.messages.end(), copied.warnings.begin(), copied.warnings.end());
    if (!copied.bitmapPath.empty())
        pick.bitmapPath = copied.bitmapPath;
}

} // namespace

std::optional<GaugeLocation> findGaugeUsingModule(const fs98::Panel& panel,
                                                  const std::string& moduleFile) {
    const std::string wanted = lowered(moduleFile);
    std::optional<GaugeLocation> last;
    for (int w = 0; w < std::clamp(panel.windowCount, 0, fs98::kWindowSlots); ++w) {
        const int n = std::clamp(panel.window(w).gaugeCount, 0, fs98::kGaugeSlots);
        for (int g = 0; g < n; ++g) {
            if (lowered(panel.gauge(w, g).gaugeName + ".gau") == wanted)
                last = GaugeLocation{w, g};
        }
    }
    return last;
}

UserText duplicateGaugeMessage(const GaugeLocation& where, std::string_view cancelled) {
    return UserText("You already have this gauge in window #" + plainNumberText(where.window) +
                    ", line #" + plainNumberText(where.gauge) +
                    "\nFS98 does not support a gauge used twice in the same panel.\n" +
                    std::string(cancelled));
}

std::string pickBitmapName(const std::string& moduleFile) {
    return moduleFile.substr(0, moduleFile.size() - std::min<std::size_t>(3, moduleFile.size())) +
           "bmp";
}

std::string gaugeNameOfModuleFile(const std::string& moduleFile) {
    return moduleFile.substr(0, moduleFile.size() - std::min<std::size_t>(4, moduleFile.size()));
}

GaugePick pickGaugeModule(const fs98::Panel& panel, const Directories& dirs,
                          const std::string& installedDir, const Options& options,
                          const std::string& moduleFile, const std::function<void()>& checkpoint) {
    const auto step = [&checkpoint] {
        if (checkpoint)
            checkpoint();
    };
    GaugePick pick;
    pick.selectedFile = moduleFile;
    pick.selectedBitmap = pickBitmapName(moduleFile);
    pick.modulePath = dirs.gaugesDir + moduleFile;
    // Under the case the panel window wrote it in, when it is there already.
    pick.bitmapPath = resolvePathIgnoringCase(dirs.bmpDir + withoutSeparators(pick.selectedBitmap));

    if (const auto where = findGaugeUsingModule(panel, moduleFile)) {
        pick.cancelled = true;
        pick.messages.push_back(duplicateGaugeMessage(*where));
        return pick;
    }
    const auto module = findPathIgnoringCase(pick.modulePath);
    if (!module || !std::ifstream(*module, std::ios::binary).is_open()) {
        failGaugePick(pick, dirs, installedDir);
        return pick;
    }
    step();
    if (fileLength(pick.bitmapPath) >= kPickReusableBitmapMinBytes &&
        !options.alwaysRecomputeBitmaps)
        return pick;
    const auto bytes = readWholeFile(*module);
    step();
    const auto picture = bytes ? extractedBitmapBytes(*bytes) : std::nullopt;
    step();
    const bool written = picture && writeWorkFile(pick.bitmapPath, *picture);
    step();
    if (!bytes || (picture && !written)) {
        failGaugePick(pick, dirs, installedDir);
        return pick;
    }
    if (!picture) {
        const UserText moduleText = UserText::path(dirs.gaugesDir) + UserText::path(moduleFile);
        copyDefaultOnto(pick, dirs, installedDir,
                        {"Can not read gauge : [" + moduleText +
                         "].\nIt will be replaced by a default bitmap."});
    }
    return pick;
}

void failGaugePick(GaugePick& pick, const Directories& dirs, const std::string& installedDir) {
    pick.failed = true;
    const UserText moduleText = UserText::path(dirs.gaugesDir) + UserText::path(pick.selectedFile);
    copyDefaultOnto(pick, dirs, installedDir,
                    {"Can not find or read [" + moduleText +
                     "]\nPlease make sure this gauge is present or valid.\n"
                     "CockPix will show a default bitmap instead."});
}

fs98::Gauge newGaugeForPick(const GaugePick& pick, BmpSize bitmap,
                            const fs98::WindowDisplay& window) {
    fs98::Gauge gauge;
    gauge.gaugeName = gaugeNameOfModuleFile(pick.selectedFile);
    gauge.gaugeRefSize = 0;
    if (bitmap.width <= 0)
        gauge.gaugeSize = window.windowPixelWidth / 10;
    else if (window.windowScale == 0)
        gauge.gaugeSize = bitmap.width;
    else
        gauge.gaugeSize = bitmap.width / window.windowScale;
    return gauge;
}

} // namespace cockpix
