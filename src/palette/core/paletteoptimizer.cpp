#include "palette/core/paletteoptimizer.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "palette/core/indexedbitmap.h"
#include "palette/core/referencetable.h"
#include "settings/core/shippedfiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>

namespace cockpix {
namespace {

// The colour table and pixel counts of palette indices 0..n-1.
struct Analysis {
    std::vector<Rgb> palette;
    std::vector<std::uint64_t> counts;
};

struct Scan {
    std::optional<Analysis> analysis;
    std::optional<FileStamp> stamp; // of the bitmap scanned
    UserText problem;
};

UserText unusableBitmap(const std::string& path, std::string_view reason) {
    return "The palette optimizer cannot use '" + UserText::path(path) + "':\n" +
           std::string(reason);
}

void report(const PaletteProgress& progress, std::string_view caption) {
    if (progress)
        progress(caption);
}

// The first bytes of a file, at most count.
std::optional<std::string> readFileStart(const std::string& path, std::size_t count) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes(count, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

std::optional<std::string> readWorkFile(const std::string& path) {
    const std::optional<std::string> found = findPathIgnoringCase(path);
    return found ? readWholeFile(*found) : std::nullopt;
}

// The colour table of the bitmap, read without its pixels.
std::optional<std::vector<Rgb>> colourTableOf(const std::string& bitmapPath) {
    const std::optional<std::string> start = readFileStart(bitmapPath, kIndexedBitmapHeaderBytes);
    const IndexedBitmapHeaderCheck check =
        start ? checkIndexedBitmapHeader(*start) : IndexedBitmapHeaderCheck{};
    if (!check.header)
        return std::nullopt;
    const IndexedBitmapHeader& header = *check.header;
    const std::size_t tableEnd = header.paletteOffset + 4 * std::size_t(header.colorCount);
    const std::optional<std::string> bytes = readFileStart(bitmapPath, tableEnd);
    if (!bytes || bytes->size() < tableEnd)
        return std::nullopt;
    return bitmapPalette(*bytes, header); // reads the colour table alone
}

// The analysis an earlier run left, when its files are whole and were made from this very
// bitmap: the same length and modification time as then, and the same colour table. A
// bitmap repainted since is scanned again. Only the bitmap's header and colour table are
// read.
std::optional<Analysis> cachedAnalysis(const PaletteWorkFiles& files,
                                       const std::string& bitmapPath) {
    const std::optional<std::string> sourceText = readWorkFile(files.source);
    const std::optional<FileStamp> made = sourceText ? parseSourceFile(*sourceText) : std::nullopt;
    if (!made || fileStamp(bitmapPath) != made)
        return std::nullopt;
    const std::optional<std::vector<Rgb>> table = colourTableOf(bitmapPath);
    const std::optional<std::string> paletteText = readWorkFile(files.palette);
    const std::optional<std::string> structureText = readWorkFile(files.structure);
    auto palette = paletteText ? parsePaletteFile(*paletteText) : std::nullopt;
    auto counts = structureText ? parseStructureFile(*structureText) : std::nullopt;
    if (!table || !palette || !counts || *palette != *table || counts->size() != table->size())
        return std::nullopt;
    return Analysis{std::move(*palette), std::move(*counts)};
}

// The bitmap as it is read: its start (header and colour table) in memory, its pixels only
// through one reused buffer, as counting them needs no more. A 4096 x 4096 background is
// then read in the time the system takes to copy it, with no memory made and cleared first.
class BitmapReader {
public:
    explicit BitmapReader(const std::string& path) : m_file(std::fopen(path.c_str(), "rb")) {
        if (m_file)
            std::setvbuf(m_file, nullptr, _IONBF, 0); // whole pieces go straight to read()
    }
    ~BitmapReader() {
        if (m_file)
            std::fclose(m_file);
    }
    BitmapReader(const BitmapReader&) = delete;
    BitmapReader& operator=(const BitmapReader&) = delete;

    bool ok() const { return m_file != nullptr; }
    // The next count bytes appended to bytes; false when the file ends sooner.
    bool append(std::string& bytes, std::size_t count) {
        const std::size_t had = bytes.size();
        bytes.resize(had + count);
        return std::fread(bytes.data() + had, 1, count, m_file) == count;
    }
    bool skip(std::size_t count) {
        return count == 0 || std::fseek(m_file, static_cast<long>(count), SEEK_CUR) == 0;
    }
    // The pixels from here on, counted as they come.
    bool count(PixelCounter& counter) {
        constexpr std::size_t kPiece = 128 * 1024;
        const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
        while (counter.remaining() > 0) {
            const std::size_t wanted = std::min(kPiece, counter.remaining());
            if (std::fread(buffer.get(), 1, wanted, m_file) != wanted)
                return false;
            counter.add({buffer.get(), wanted});
        }
        return true;
    }

private:
    std::FILE* m_file;
};

Scan cannotBeRead(const std::string& bitmapPath) {
    return {std::nullopt, std::nullopt, unusableBitmap(bitmapPath, "The file cannot be read.")};
}

Scan scanBitmap(const std::string& bitmapPath, const PaletteProgress& progress) {
    // Taken before the bytes, so that a bitmap repainted during the scan is scanned again.
    const std::optional<FileStamp> stamp = fileStamp(bitmapPath);
    BitmapReader file(bitmapPath);
    std::string start;
    if (!stamp || !file.ok() ||
        !file.append(start, std::min<std::uint64_t>(stamp->length, kIndexedBitmapHeaderBytes)))
        return cannotBeRead(bitmapPath);
    const IndexedBitmapHeaderCheck check = checkIndexedBitmapHeader(start);
    if (!check.header)
        return {std::nullopt, std::nullopt, unusableBitmap(bitmapPath, check.problem)};
    const IndexedBitmapHeader& header = *check.header;
    if (const std::string problem = checkIndexedBitmapBody(stamp->length, header); !problem.empty())
        return {std::nullopt, std::nullopt, unusableBitmap(bitmapPath, problem)};
    // The header and the colour table, then up to the first pixel row.
    const std::size_t paletteEnd = header.paletteOffset + 4 * std::size_t(header.colorCount);
    if (!file.append(start, paletteEnd - start.size()) ||
        !file.skip(header.pixelOffset - paletteEnd))
        return cannotBeRead(bitmapPath);
    Analysis analysis;
    analysis.palette = bitmapPalette(start, header);
    report(progress, "Determining color frequencies...");
    PixelCounter counter(header);
    if (!file.count(counter))
        return cannotBeRead(bitmapPath);
    const PixelCounts counts = counter.counts();
    analysis.counts.assign(counts.begin(), counts.begin() + header.colorCount);
    return {std::move(analysis), stamp, {}};
}

// Writes one work file; the message when it fails.
UserText writePaletteWorkFile(const std::string& path, std::string_view text) {
    // A lost work file only costs a scan: no waiting for the disk.
    const int error = writeFileAtomically(resolvePathIgnoringCase(path), text, Flush::Skip);
    if (error == 0)
        return {};
    return "The palette work file '" + UserText::path(path) + "' could not be written:\n" +
           std::string(std::strerror(error));
}

PaletteRunResult failed(UserText message) {
    PaletteRunResult result;
    result.message = std::move(message);
    return result;
}

} // namespace

PaletteRunRequest paletteRunForWindow(const fs98::Panel& panel, const Directories& dirs,
                                      const std::string& installedDir, int w, double tolerance) {
    const std::string& name = panel.window(w).windowBitmap;
    return {resolvePathIgnoringCase(backgroundBitmapPath(panel, dirs, w).path), name,
            dirs.paletteDir, shippedFilePath(dirs.programDir, installedDir, kColorMappingTableName),
            tolerance};
}

PaletteRunResult runPaletteOptimizer(const PaletteRunRequest& request,
                                     const PaletteProgress& progress) {
    if (request.paletteDir.empty())
        return failed("The palette work directory is not set.\n"
                      "Set the gauges directory first: its palette/ directory holds the "
                      "optimizer's work files.");
    const PaletteWorkFiles files = paletteWorkFiles(request.paletteDir, request.bitmapName);
    PaletteRunResult result;
    std::optional<Analysis> analysis = cachedAnalysis(files, request.bitmapPath);
    std::optional<FileStamp> scannedStamp;
    if (!analysis) {
        Scan scan = scanBitmap(request.bitmapPath, progress);
        if (!scan.analysis)
            return failed(std::move(scan.problem));
        analysis = std::move(scan.analysis);
        scannedStamp = scan.stamp;
        result.scanned = true;
    }
    report(progress, "Sorting colors...");
    ReferenceTable table = readReferenceTable(request.tablePath);
    if (!table.problem.empty())
        return failed(std::move(table.problem));

    report(progress, "Comparing colors with FS98 palette...");
    result.proposal =
        proposeColors(analysis->counts, analysis->palette, table.colors, request.tolerance);
    result.reference = std::move(table.colors);

    // The source file is what makes the next run trust the others: it goes first and comes
    // back last, so a run that fails in between leaves the next one to scan again.
    if (result.scanned) {
        if (const auto stale = findPathIgnoringCase(files.source))
            std::remove(stale->c_str());
        std::vector<std::pair<std::string, std::string>> writes = {
            {files.structure, structureFileText(analysis->counts)},
            {files.palette, paletteFileText(analysis->palette)}};
        if (scannedStamp)
            writes.emplace_back(files.source, sourceFileText(*scannedStamp));
        for (const auto& [path, text] : writes) {
            if (UserText problem = writePaletteWorkFile(path, text); !problem.empty())
                return failed(std::move(problem));
        }
    }
    if (UserText problem = writePaletteWorkFile(files.result, resultFileText(result.proposal));
        !problem.empty())
        return failed(std::move(problem));
    result.ok = true;
    result.resultFile = resolvePathIgnoringCase(files.result);
    result.message = scannedMessage(result.advisedColorCount());
    return result;
}

} // namespace cockpix
