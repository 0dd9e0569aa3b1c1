#include "gauges/core/gaugeextraction.h"

#include "app/core/filelookup.h"
#include "gauges/core/gaugemodule.h"
#include "panel/core/numbertext.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

std::string number(double value) {
    return paddedNumberText(value);
}

// The length of a file, 0 when it is missing or not a regular file.
long long fileLength(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return 0;
    const auto length = fs::file_size(path, error);
    return error ? 0 : static_cast<long long>(length);
}

// Writes the whole file in one go (creating the bitmap work directory if it has gone). A
// file that already holds these bytes is left alone, and an existing file is overwritten in
// place: emptying a file and refilling it makes ext4 flush it to disk on close, which turned
// "Always recompute bitmaps" on a big panel into seconds of waiting.
bool writeWholeFile(const std::string& path, std::string_view bytes) {
    std::error_code error;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, error);
    if (fs::is_regular_file(path, error)) {
        if (const auto old = readWholeFile(path); old && *old == bytes)
            return true;
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        fs::resize_file(path, bytes.size(), error);
        return static_cast<bool>(file) && !error;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

// A module counts as present when it can be opened for reading.
bool canOpenForReading(const std::optional<std::string>& path) {
    return path && std::ifstream(*path, std::ios::binary).is_open();
}

std::string gaugeLine(const char* what, int i, const std::string& path) {
    return std::string("WARNING !\n") + what + number(i) + ", named : [" + path + "].\n";
}

constexpr const char* kCreateDefault = "CockPix will now create a default gauge bitmap.\n";
constexpr const char* kNotInFs98 = "This gauge will not be shown in FS98.";

std::string missingDefaultWarning(const std::string& path) {
    return "WARNING !\nCan not find the default picture named : [" + path + "].";
}

std::string unwritableWarning(const std::string& path) {
    return "WARNING !\nCan not write the picture named : [" + path + "].";
}

// Copies the program directory's default file byte for byte to target. On failure the
// result names the default itself when it can still be loaded from where it lies.
GaugeBitmapResult copyDefaultGaugeBitmap(const std::string& programDir, const std::string& target,
                                         std::vector<std::string> warnings) {
    GaugeBitmapResult result;
    result.warnings = std::move(warnings);
    const std::string defaultPath = resolvePathIgnoringCase(programDir + kDefaultGaugeBitmapName);
    const auto bytes = readWholeFile(defaultPath);
    if (bytes && writeWholeFile(target, *bytes)) {
        result.source = GaugeBitmapSource::DefaultCopy;
        result.bitmapPath = target;
        return result;
    }
    result.source = GaugeBitmapSource::None;
    result.bitmapPath = bytes ? defaultPath : std::string();
    result.warnings.push_back(bytes ? unwritableWarning(target)
                                    : missingDefaultWarning(defaultPath));
    return result;
}

} // namespace

std::string gaugeModulePath(const PanelModel& model, int w, int i) {
    return model.dirs.gaugesDir + model.gauge(w, i).gaugeName + ".gau";
}

std::string gaugeBitmapPath(const PanelModel& model, int w, int i) {
    // A gauge name is a module file name; a separator in it (a broken or hostile panel.cfg)
    // must not send the written bitmap out of the work directory.
    std::string name = model.gauge(w, i).gaugeName;
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '_';
    return model.dirs.bmpDir + name + ".bmp";
}

std::string backgroundBitmapPath(const PanelModel& model, int w) {
    return model.dirs.panelDir + model.window(w).windowBitmap + ".bmp";
}

GaugeBitmapResult extractGaugeBitmapFile(const std::string& modulePath,
                                         const std::string& bitmapPath,
                                         const std::string& programDir, bool alwaysRecompute,
                                         int gaugeIndex) {
    const std::string bitmapFile = resolvePathIgnoringCase(bitmapPath);
    const bool usableOnDisk = fileLength(bitmapFile) >= kReusableBitmapMinBytes;
    const auto moduleFile = findPathIgnoringCase(modulePath);
    if (!canOpenForReading(moduleFile)) {
        const std::string head = gaugeLine("Can not find gauge #", gaugeIndex, modulePath);
        if (usableOnDisk) {
            return {GaugeBitmapSource::SpareBitmap,
                    bitmapFile,
                    {head + "CockPix detected a spare-bitmap for that gauge and will use it.\n" +
                     kNotInFs98}};
        }
        return copyDefaultGaugeBitmap(programDir, bitmapFile, {head + kCreateDefault + kNotInFs98});
    }
    if (usableOnDisk && !alwaysRecompute)
        return {GaugeBitmapSource::Reused, bitmapFile, {}};

    // The module's bytes are read only now that a picture is cut out of them.
    const auto module = readWholeFile(*moduleFile);
    const auto bytes = module ? extractedBitmapBytes(*module) : std::nullopt;
    if (!bytes) {
        return copyDefaultGaugeBitmap(
            programDir, bitmapFile,
            {gaugeLine("Can not extract the bitmap of gauge #", gaugeIndex, modulePath) +
             kCreateDefault + kNotInFs98});
    }
    if (!writeWholeFile(bitmapFile, *bytes)) {
        return {GaugeBitmapSource::None, {}, {unwritableWarning(bitmapPath)}};
    }
    return {GaugeBitmapSource::Extracted, bitmapFile, {}};
}

GaugeBitmapResult extractGaugeBitmap(const PanelModel& model, int w, int i) {
    return extractGaugeBitmapFile(gaugeModulePath(model, w, i), gaugeBitmapPath(model, w, i),
                                  model.dirs.programDir, model.options.alwaysRecomputeBitmaps, i);
}

GaugeSizeResult findGaugeSize(PanelModel& model, int w, int i) {
    const std::string modulePath = gaugeModulePath(model, w, i);
    const auto moduleFile = findPathIgnoringCase(modulePath);
    const auto module = moduleFile ? readWholeFile(*moduleFile) : std::nullopt;

    GaugeSizeResult result;
    if (const auto size = module ? cockpix::findGaugeSize(*module) : std::nullopt) {
        result.size = *size;
        result.found = true;
    } else {
        result.size = model.window(w).windowPixelWidth / 10;
        const char* what =
            module ? "Unable to find the size of gauge #" : "Unable to find size of gauge #";
        result.warnings.push_back(gaugeLine(what, i, modulePath) + "A default size of" +
                                  number(result.size) + " will be given to it.");
    }
    model.gauge(w, i).gaugeSize = result.size;
    return result;
}

GaugeBitmapResult repairGaugeBitmap(const PanelModel& model, int w, int i) {
    const std::string bitmapPath = gaugeBitmapPath(model, w, i);
    return copyDefaultGaugeBitmap(
        model.dirs.programDir, resolvePathIgnoringCase(bitmapPath),
        {gaugeLine("Unable to extract bitmap from gauge #", i, bitmapPath) + kCreateDefault +
         "This gauge will work normally in FS98 unless the file is damaged."});
}

BackgroundRepair restoreDefaultBackground(const PanelModel& model, int w) {
    BackgroundRepair repair;
    const std::string path = backgroundBitmapPath(model, w);
    repair.warnings.push_back("WARNING !\nCan not find the background picture named : [" + path +
                              "].\nCockPix will now create a default background picture.");
    const std::string defaultPath =
        resolvePathIgnoringCase(model.dirs.programDir + kDefaultBackgroundBitmapName);
    const auto bytes = readWholeFile(defaultPath);
    if (!bytes) {
        repair.warnings.push_back(missingDefaultWarning(defaultPath));
        return repair;
    }
    // A window without a bitmap name would get a file called ".bmp", and a name with path
    // separators would send the copy out of the aircraft's folder; both show the default
    // from the program directory instead of writing one.
    const std::string& name = model.window(w).windowBitmap;
    const bool named = name.find_first_not_of(' ') != std::string::npos &&
                       name.find_first_of("/\\") == std::string::npos;
    const std::string target = resolvePathIgnoringCase(path);
    if (named && writeWholeFile(target, *bytes)) {
        repair.written = true;
        repair.backgroundPath = target;
        return repair;
    }
    if (named)
        repair.warnings.push_back(unwritableWarning(target));
    repair.backgroundPath = defaultPath;
    return repair;
}

std::string extractionProgressCaption(int i, int n) {
    return "Please wait, processing gauge # " + number(i) + " / " + number(n - 1);
}

std::string sizeSearchProgressCaption(int i, int n) {
    return "Please wait, seeking size of gauge #" + number(i) + " / " + number(n - 1);
}

std::string drawingProgressCaption(int i, int n) {
    return "Please wait, drawing gauge #" + number(i) + " / " + number(n - 1);
}

int progressPercent(int i, int n) {
    if (n <= 0)
        return 0;
    const long long value = (static_cast<long long>(i) + 1) * 100 / n;
    return static_cast<int>(value < 0 ? 0 : value > 100 ? 100 : value);
}

} // namespace cockpix
