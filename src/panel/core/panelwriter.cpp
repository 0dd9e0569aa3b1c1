#include "panel/core/panelwriter.h"

#include "app/core/filelookup.h"
#include "panel/core/numbertext.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cockpix {
namespace {

constexpr std::string_view kGeneratedHeader =
    "/ Panel file generated with COCKPIX V.2.5.3 by Quenvald, 1998";
constexpr std::string_view kPanelFileName = "panel.cfg";

// A directory full of taken backup names is not something a user makes; the bound only
// keeps a pathological directory from holding the save up forever.
constexpr int kMaxBackupAttempts = 100000;

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
// the gauge's own default width.
bool writesGaugeSize(const Gauge& gauge) {
    return gauge.gaugeRefSize != -1 && gauge.gaugeRefSize != gauge.gaugeSize;
}

std::string gaugeLine(int g, const Gauge& gauge) {
    std::string text = "gauge" + twoDigits(g) + "=" + gauge.gaugeName + "," +
                       paddedNumberText(gauge.gaugeX) + "," + paddedNumberText(gauge.gaugeY);
    if (writesGaugeSize(gauge))
        text += "," + paddedNumberText(gauge.gaugeSize);
    return text;
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
        out.line(gaugeLine(g, window.gauges[static_cast<std::size_t>(g)]));
}

bool usesPaletteResult(const PanelModel& model, const PaletteSaveOptions& options) {
    return model.advisedColorCount > 0 && options.saveNewPalette && options.keepColors;
}

void writeColourPart(LineWriter& out, const PanelModel& model, const PaletteSaveOptions& options,
                     const std::vector<std::string>* paletteResultLines) {
    if (usesPaletteResult(model, options)) {
        // The optimizer's result starts with its own "[8 bit colors]" header. When it has
        // gone missing the colour section is left out; the old file is still in its backup.
        if (paletteResultLines != nullptr) {
            out.blank();
            for (const std::string& line : *paletteResultLines)
                out.line(line);
        }
        return;
    }
    const int colorCount = std::clamp(model.colorLineCount, 0, kColorSlots);
    if (!options.keepColors || colorCount == 0)
        return;
    out.blank();
    out.line("[8 Bit Colors]");
    out.blank();
    for (int i = 1; i <= colorCount; ++i)
        out.line(model.colorLine[static_cast<std::size_t>(i)]);
}

void writeDefaultView(LineWriter& out, const PanelModel& model) {
    out.blank();
    out.line("[Default View]");
    out.blank();
    out.line("X=" + paddedNumberText(model.defaultViewX));
    out.line("Y=" + paddedNumberText(model.defaultViewY));
    out.line("SIZE_X=" + paddedNumberText(model.defaultViewSizeX));
    out.line("SIZE_Y=" + paddedNumberText(model.defaultViewSizeY));
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

// Numeric value of the leading digits only: "7" gives 7, "1x" gives 1, "fg" gives 0.
int leadingDigitsValue(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// ---------------------------------------------------------------------------------------
// File system steps of the save. Each returns 0 or the errno of the failure.

std::string errorText(int error) {
    return std::strerror(error);
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> plainFileNames(const std::string& directory) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    return names;
}

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A fresh file beside the output, so that the final rename stays within one file system.
struct TempFile {
    std::string path;
    int error = 0;
};

TempFile writeTempFile(const std::string& directory, std::string_view content,
                       const std::optional<mode_t>& mode) {
    std::random_device seed;
    TempFile temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp.path = directory + ".panel.cfg.cockpix-" + std::to_string(::getpid()) + "-" +
                    std::to_string(seed());
        const int fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            temp.error = errno;
            return temp;
        }
        temp.error = writeAll(fd, content);
        if (temp.error == 0 && mode && ::fchmod(fd, *mode) != 0)
            temp.error = errno;
        if (temp.error == 0 && ::fsync(fd) != 0)
            temp.error = errno;
        if (::close(fd) != 0 && temp.error == 0)
            temp.error = errno;
        if (temp.error != 0)
            ::unlink(temp.path.c_str());
        return temp;
    }
    temp.error = EEXIST;
    return temp;
}

// Never replaces an existing file: a taken name is reported as EEXIST.
int renameNoReplace(const std::string& from, const std::string& to) {
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    // Some file systems (and old kernels) do not know the flag; link() refuses a taken
    // name just as well.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
#endif
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return error;
    }
    return 0;
}

void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    if (error)
        return a == b;
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return error ? a == b : canonicalA == canonicalB;
}

std::string backupPath(const std::string& panelDir, int number) {
    return panelDir + "panel.c" + std::to_string(number);
}

struct BackupOutcome {
    int number = 0;
    int error = 0;
};

// Moves the old panel.cfg to the first free backup name from the computed number on. The
// listing only knows numbers of one or two digits after ".c", so past 99 (or when another
// program took a name) the number simply grows until a name is free: no backup is ever
// overwritten. The chosen output is never used as a backup name, or the new file would
// replace the backup at once.
BackupOutcome moveToBackup(const std::string& oldFile, const std::string& panelDir,
                           const std::string& outputPath) {
    BackupOutcome outcome{nextBackupNumber(plainFileNames(panelDir)), 0};
    for (int attempt = 0; attempt < kMaxBackupAttempts; ++attempt, ++outcome.number) {
        const std::string candidate = backupPath(panelDir, outcome.number);
        if (entryExists(candidate) || samePath(candidate, outputPath))
            continue;
        outcome.error = renameNoReplace(oldFile, candidate);
        if (outcome.error != EEXIST)
            return outcome;
    }
    outcome.error = EEXIST;
    return outcome;
}

std::optional<std::vector<std::string>> paletteResultLines(const PanelModel& model,
                                                           const PaletteSaveOptions& options) {
    if (!usesPaletteResult(model, options))
        return std::nullopt;
    const std::optional<std::string> content = readWholeFile(model.paletteResultFile);
    if (!content)
        return std::nullopt;
    return splitLines(*content);
}

std::optional<mode_t> fileMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info.st_mode & 07777;
}

std::string successMessage(const SaveResult& result) {
    std::string text;
    if (result.backupMade)
        text = "Previous 'panel.cfg' was saved as 'panel.c" + std::to_string(result.backupNumber) +
               "'\n";
    return text + "The new '" + result.outputPath + "' was correctly recorded to disk.";
}

// The new content is in place only after the old file is safe in its backup; if the last
// rename fails, the backup goes back to where it was.
void replaceOldFile(SaveResult& result, const std::string& oldFile, const std::string& tempPath) {
    // The directory as it is spelled on disk, which may differ in case from panelDir.
    const std::string panelDir = directoryOf(oldFile);
    const BackupOutcome backup = moveToBackup(oldFile, panelDir, result.outputPath);
    if (backup.error != 0) {
        ::unlink(tempPath.c_str());
        result.message = "Previous 'panel.cfg' could not be saved as 'panel.c" +
                         std::to_string(backup.number) + "': " + errorText(backup.error) +
                         ".\nThe new panel was not saved; 'panel.cfg' is unchanged.";
        return;
    }
    const std::string backupFile = backupPath(panelDir, backup.number);
    if (::rename(tempPath.c_str(), result.outputPath.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        const bool restored = renameNoReplace(backupFile, oldFile) == 0;
        result.message = "The new '" + result.outputPath +
                         "' could not be recorded to disk: " + errorText(error) + ".\n" +
                         (restored ? std::string("Previous 'panel.cfg' is unchanged.")
                                   : "Previous 'panel.cfg' is kept as 'panel.c" +
                                         std::to_string(backup.number) + "'.");
        return;
    }
    result.written = true;
    result.backupMade = true;
    result.backupNumber = backup.number;
}

void placeNewFile(SaveResult& result, const std::string& tempPath) {
    if (::rename(tempPath.c_str(), result.outputPath.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        result.message = "The new '" + result.outputPath +
                         "' could not be recorded to disk: " + errorText(error) + ".";
        return;
    }
    result.written = true;
}

} // namespace

std::string panelFileText(const PanelModel& model, const PaletteSaveOptions& options,
                          const std::vector<std::string>* paletteResultLines) {
    LineWriter out;
    const int preambleCount = std::clamp(model.preambleLineCount, 0, kPreambleSlots);
    for (int i = 1; i <= preambleCount; ++i)
        out.line(model.preambleLine[static_cast<std::size_t>(i)]);
    out.line(kGeneratedHeader);

    const int windowCount = std::clamp(model.windowCount, 0, kWindowSlots);
    out.blank();
    out.line("[Window Titles]");
    out.blank();
    for (int w = 0; w < windowCount; ++w)
        out.line("window0" + std::to_string(w) + "=" + model.window(w).windowTitle);
    for (int w = 0; w < windowCount; ++w)
        writeWindowSection(out, w, model.window(w));

    writeColourPart(out, model, options, paletteResultLines);
    writeDefaultView(out, model);
    return out.take();
}

int nextBackupNumber(const std::vector<std::string>& fileNames) {
    int highest = 0;
    for (const std::string& name : fileNames) {
        const std::size_t size = name.size();
        if (size >= 3 && name.compare(size - 3, 2, ".c") == 0)
            highest =
                std::max(highest, leadingDigitsValue(std::string_view(name).substr(size - 1)));
        else if (size >= 4 && name.compare(size - 4, 2, ".c") == 0)
            highest =
                std::max(highest, leadingDigitsValue(std::string_view(name).substr(size - 2)));
    }
    return highest + 1;
}

SaveResult savePanel(const PanelModel& model, const std::string& chosenOutputPath,
                     const PaletteSaveOptions& options) {
    SaveResult result;
    if (model.windowCount <= 0) {
        result.message = "The panel has no windows: nothing was saved.";
        return result;
    }
    const std::string& panelDir = model.dirs.panelDir;
    std::optional<std::string> oldFile =
        findPathIgnoringCase(panelDir + std::string(kPanelFileName));
    if (oldFile && !isRegularFile(*oldFile))
        oldFile.reset();
    // Without an old panel.cfg the panel is created where FS98 looks for it.
    result.outputPath = oldFile ? chosenOutputPath : panelDir + std::string(kPanelFileName);

    const std::optional<std::vector<std::string>> palette = paletteResultLines(model, options);
    const std::string text = panelFileText(model, options, palette ? &*palette : nullptr);
    const std::string outputDir = directoryOf(result.outputPath);
    const TempFile temp =
        writeTempFile(outputDir, text, oldFile ? fileMode(*oldFile) : std::nullopt);
    if (temp.error != 0) {
        result.message = "The new '" + result.outputPath +
                         "' could not be written: " + errorText(temp.error) +
                         ".\nNothing was changed on disk.";
        return result;
    }
    if (oldFile)
        replaceOldFile(result, *oldFile, temp.path);
    else
        placeNewFile(result, temp.path);
    if (!result.written)
        return result;
    syncDirectory(outputDir);
    if (oldFile && directoryOf(*oldFile) != outputDir)
        syncDirectory(directoryOf(*oldFile));
    result.message = successMessage(result);
    return result;
}

} // namespace cockpix
