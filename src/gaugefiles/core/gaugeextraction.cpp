#include "gaugefiles/core/gaugeextraction.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "gaugefiles/core/gaugemodule.h"
#include "settings/core/shippedfiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <sys/stat.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

std::string number(double value) {
    return paddedNumberText(value);
}

// The length of a file, 0 when it is missing or not a regular file (file_size fails on
// anything else, so one look at the file does).
long long fileLength(const std::string& path) {
    std::error_code error;
    const auto length = fs::file_size(path, error);
    return error ? 0 : static_cast<long long>(length);
}

// A module counts as present when it can be opened for reading.
bool canOpenForReading(const std::optional<std::string>& path) {
    return path && std::ifstream(*path, std::ios::binary).is_open();
}

// The module's first bytes, as many as cutting its picture out reads (bitmapBytesNeeded), at
// the start of buffer: a module of a megabyte whose picture comes early is read for a few
// kilobytes. The buffer keeps its size from one module to the next, so that only growth past
// the longest module yet is ever cleared before it is read into. nullopt when the module is
// not a regular file or cannot be read.
std::optional<std::string_view> readModuleForPicture(const std::string& path, std::string& buffer) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    struct stat status {};
    if (::fstat(::fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        return std::nullopt;
    }
    const auto length = static_cast<std::size_t>(status.st_size);
    std::setvbuf(file, nullptr, _IONBF, 0); // each piece goes straight to read()
    // Room for the whole module at once: a module read to its end is never moved to a larger
    // block on the way, and the pages of a part never read are never touched.
    buffer.reserve(length);
    std::size_t have = 0;
    bool read = true;
    for (std::size_t need = bitmapBytesNeeded({}, length); read && have < need;
         need = bitmapBytesNeeded({buffer.data(), have}, length)) {
        if (buffer.size() < need)
            buffer.resize(need);
        read = std::fread(buffer.data() + have, 1, need - have, file) == need - have;
        have = need;
    }
    std::fclose(file);
    return read ? std::optional<std::string_view>(std::string_view(buffer.data(), have))
                : std::nullopt;
}

UserText gaugeLine(const char* what, int i, const UserText& path) {
    return UserText("WARNING !\n") + what + number(i) + ", named : [" + path + "].\n";
}

constexpr const char* kCreateDefault = "CockPix will now create a default gauge bitmap.\n";
constexpr const char* kNotInFs98 = "This gauge will not be shown in FS98.";

UserText missingDefaultWarning(const std::string& path) {
    return "WARNING !\nCan not find the default picture named : [" + UserText::path(path) + "].";
}

UserText unwritableWarning(const UserText& path) {
    return "WARNING !\nCan not write the picture named : [" + path + "].";
}

NamedPath namedPath(const std::string& dir, const std::string& name, const char* extension) {
    return {dir + name + extension, UserText::path(dir) + UserText::panelText(name) + extension};
}

} // namespace

// An existing file is overwritten in place: emptying a file and refilling it makes ext4
// flush it to disk on close, which turned "Always recompute bitmaps" on a big panel into
// seconds of waiting.
bool writeWorkFile(const std::string& path, std::string_view bytes) {
    std::error_code error;
    // file_size answers only for a regular file: one look tells whether there is one and
    // whether it can already hold these bytes.
    if (const auto existing = fs::file_size(path, error); !error) {
        if (existing == bytes.size() && fileHolds(path, bytes))
            return true;
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        fs::resize_file(path, bytes.size(), error);
        return static_cast<bool>(file) && !error;
    }
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

GaugeBitmapResult copyDefaultGaugeBitmap(const std::string& defaultPath, const NamedPath& target,
                                         std::vector<UserText> warnings) {
    GaugeBitmapResult result;
    result.warnings = std::move(warnings);
    const auto bytes = readWholeFile(defaultPath);
    if (bytes && writeWorkFile(target.path, *bytes)) {
        result.source = GaugeBitmapSource::DefaultCopy;
        result.bitmapPath = target.path;
        result.bitmapBytes = *bytes;
        return result;
    }
    result.source = GaugeBitmapSource::None;
    result.bitmapPath = bytes ? defaultPath : std::string();
    result.warnings.push_back(bytes ? unwritableWarning(target.text)
                                    : missingDefaultWarning(defaultPath));
    return result;
}

NamedPath gaugeModulePath(const fs98::Panel& panel, const Directories& dirs, int w, int i) {
    return namedPath(dirs.gaugesDir, panel.gauge(w, i).gaugeName, ".gau");
}

NamedPath gaugeBitmapPath(const fs98::Panel& panel, const Directories& dirs, int w, int i) {
    // A gauge name is a module file name; a separator in it (a broken or hostile panel.cfg)
    // must not send the written bitmap out of the work directory.
    std::string name = panel.gauge(w, i).gaugeName;
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '_';
    return namedPath(dirs.bmpDir, name, ".bmp");
}

NamedPath backgroundBitmapPath(const fs98::Panel& panel, const Directories& dirs, int w) {
    return namedPath(dirs.panelDir, panel.window(w).windowBitmap, ".bmp");
}

GaugeBitmapResult extractGaugeBitmapFile(const NamedPath& module, const NamedPath& bitmap,
                                         const std::string& defaultGaugeBitmap,
                                         bool alwaysRecompute, int gaugeIndex,
                                         std::string* moduleBuffer) {
    // One look at the bitmap as named finds it in nearly every case; only then is its name
    // looked up whatever its case.
    long long length = fileLength(bitmap.path);
    const NamedPath bitmapFile{length > 0 ? bitmap.path : resolvePathIgnoringCase(bitmap.path),
                               bitmap.text};
    if (length == 0 && bitmapFile.path != bitmap.path)
        length = fileLength(bitmapFile.path);
    const bool usableOnDisk = length >= kReusableBitmapMinBytes;
    const auto moduleFile = findPathIgnoringCase(module.path);
    // A module to cut out is read at once, as far as its picture goes; only one that cannot
    // be read is asked whether it opens at all, which tells a missing module from a broken
    // one.
    const bool reuse = usableOnDisk && !alwaysRecompute;
    std::string ownBuffer;
    std::string& buffer = moduleBuffer ? *moduleBuffer : ownBuffer;
    const std::optional<std::string_view> moduleBytes =
        moduleFile && !reuse ? readModuleForPicture(*moduleFile, buffer) : std::nullopt;
    if (!moduleBytes && !canOpenForReading(moduleFile)) {
        const UserText head = gaugeLine("Can not find gauge #", gaugeIndex, module.text);
        if (usableOnDisk) {
            return {GaugeBitmapSource::SpareBitmap,
                    bitmapFile.path,
                    {head + "CockPix detected a spare-bitmap for that gauge and will use it.\n" +
                     kNotInFs98},
                    {}};
        }
        return copyDefaultGaugeBitmap(defaultGaugeBitmap, bitmapFile,
                                      {head + kCreateDefault + kNotInFs98});
    }
    if (reuse)
        return {GaugeBitmapSource::Reused, bitmapFile.path, {}, {}};
    auto bytes = moduleBytes ? extractedBitmapBytes(*moduleBytes) : std::nullopt;
    if (!bytes) {
        return copyDefaultGaugeBitmap(
            defaultGaugeBitmap, bitmapFile,
            {gaugeLine("Can not extract the bitmap of gauge #", gaugeIndex, module.text) +
             kCreateDefault + kNotInFs98});
    }
    if (!writeWorkFile(bitmapFile.path, *bytes))
        return {GaugeBitmapSource::None, {}, {unwritableWarning(bitmap.text)}, {}};
    return {GaugeBitmapSource::Extracted, bitmapFile.path, {}, std::move(*bytes)};
}

GaugeBitmapResult extractGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                     const std::string& installedDir, const Options& options, int w,
                                     int i) {
    return extractGaugeBitmap(
        panel, dirs, options, w, i,
        shippedFilePath(dirs.programDir, installedDir, kDefaultGaugeBitmapName));
}

GaugeBitmapResult extractGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                     const Options& options, int w, int i,
                                     const std::string& defaultGaugeBitmap,
                                     std::string* moduleBuffer) {
    return extractGaugeBitmapFile(gaugeModulePath(panel, dirs, w, i),
                                  gaugeBitmapPath(panel, dirs, w, i), defaultGaugeBitmap,
                                  options.alwaysRecomputeBitmaps, i, moduleBuffer);
}

GaugeSizeResult findGaugeSize(const fs98::Panel& panel, const Directories& dirs,
                              const fs98::PanelDisplay& display, int w, int i) {
    const NamedPath module = gaugeModulePath(panel, dirs, w, i);
    const auto moduleFile = findPathIgnoringCase(module.path);
    const auto bytes = moduleFile ? readWholeFile(*moduleFile) : std::nullopt;

    GaugeSizeResult result;
    if (const auto size = bytes ? cockpix::findGaugeSize(*bytes) : std::nullopt) {
        result.size = *size;
        result.found = true;
    } else {
        result.size = display.window(w).windowPixelWidth / 10;
        const char* what =
            bytes ? "Unable to find the size of gauge #" : "Unable to find size of gauge #";
        result.warnings.push_back(gaugeLine(what, i, module.text) + "A default size of" +
                                  number(result.size) + " will be given to it.");
    }
    return result;
}

GaugeBitmapResult repairGaugeBitmap(const fs98::Panel& panel, const Directories& dirs,
                                    const std::string& installedDir, int w, int i) {
    const NamedPath bitmap = gaugeBitmapPath(panel, dirs, w, i);
    return copyDefaultGaugeBitmap(
        shippedFilePath(dirs.programDir, installedDir, kDefaultGaugeBitmapName),
        {resolvePathIgnoringCase(bitmap.path), bitmap.text},
        {gaugeLine("Unable to extract bitmap from gauge #", i, bitmap.text) + kCreateDefault +
         "This gauge will work normally in FS98 unless the file is damaged."});
}

BackgroundRepair restoreDefaultBackground(const fs98::Panel& panel, const Directories& dirs,
                                          const std::string& installedDir, int w) {
    BackgroundRepair repair;
    const NamedPath background = backgroundBitmapPath(panel, dirs, w);
    const std::string defaultPath =
        shippedFilePath(dirs.programDir, installedDir, kDefaultBackgroundBitmapName);
    // A window without a bitmap name would get a file called ".bmp", and a name with path
    // separators would send the copy out of the aircraft's folder; both show the default
    // from where it is shipped instead of writing one.
    const std::string& name = panel.window(w).windowBitmap;
    const bool named = name.find_first_not_of(' ') != std::string::npos &&
                       name.find_first_of("/\\") == std::string::npos;
    const std::optional<std::string> existing = findPathIgnoringCase(background.path);
    if (existing) {
        // The user's own picture, only unreadable here: never replaced.
        repair.warnings.push_back(
            "WARNING !\nCan not read the background picture named : [" + background.text +
            "].\nCockPix shows a default background picture in its place; the file is left "
            "as it is.");
    } else {
        repair.warnings.push_back("WARNING !\nCan not find the background picture named : [" +
                                  background.text +
                                  "].\nCockPix will now create a default background picture.");
    }
    const auto bytes = readWholeFile(defaultPath);
    if (!bytes) {
        repair.warnings.push_back(missingDefaultWarning(defaultPath));
        return repair;
    }
    if (named && !existing && writeWorkFile(background.path, *bytes)) {
        repair.written = true;
        repair.backgroundPath = background.path;
        return repair;
    }
    if (named && !existing)
        repair.warnings.push_back(unwritableWarning(background.text));
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
