#include "template/core/checkfacts.h"

#include "base/core/filelookup.h"
#include "gaugefiles/core/gaugemodule.h"
#include "settings/core/installation.h"

#include <algorithm>
#include <filesystem>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

bool endsWithIgnoringCase(const std::string& name, std::string_view suffix) {
    if (name.size() <= suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = name[name.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

// The regular files of dir whose names end with suffix (any case), less the suffix.
std::vector<std::string> namesEndingWith(const std::string& dir, std::string_view suffix) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(dir.empty() ? "." : dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (endsWithIgnoringCase(name, suffix) && it->is_regular_file(typeError))
            names.push_back(name.substr(0, name.size() - suffix.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

ModuleFacts readModuleFacts(const std::string& path) {
    ModuleFacts facts;
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return facts;
    facts.found = true;
    if (const auto header = locateGaugeBitmap(*bytes);
        header && header->width > 0 && header->height > 0)
        facts.picture = BmpSize{header->width, header->height};
    facts.defaultSize = findGaugeSize(*bytes);
    return facts;
}

BitmapFacts readBitmapFacts(const std::optional<std::string>& path) {
    BitmapFacts facts;
    if (!path || !fileStamp(*path))
        return facts;
    facts.found = true;
    const std::optional<std::string> bytes = readWholeFile(*path);
    if (!bytes || !bmpPixelsComplete(*bytes))
        return facts;
    facts.readable = true;
    facts.size = *readBmpSize(*bytes);
    facts.bitsPerPixel = readBmpBitCount(*bytes).value_or(0);
    return facts;
}

} // namespace

void CheckFacts::beginRound() {
    if (m_roundHeld)
        return;
    m_fs2kFiles.beginRound();
    m_roundModules.clear();
    m_roundBitmaps.clear();
    m_roundFolders.clear();
    m_roundSizes.clear();
    m_roundInstrumentDirs.clear();
    m_smallFiles.clear();
}

const std::vector<std::string>& CheckFacts::packagesInstrumentDirs(const std::string& folder) {
    const auto known = m_roundInstrumentDirs.find(folder);
    if (known != m_roundInstrumentDirs.end())
        return known->second;
    return m_roundInstrumentDirs.emplace(folder, cockpix::packagesInstrumentDirs(folder))
        .first->second;
}

const std::optional<std::string>& CheckFacts::resolvedFolder(const std::string& dir) {
    const auto known = m_roundFolders.find(dir);
    if (known != m_roundFolders.end())
        return known->second;
    std::optional<std::string> found =
        dir.empty() ? std::optional<std::string>(dir) : findPathIgnoringCase(dir);
    return m_roundFolders[dir] = std::move(found);
}

std::optional<std::string> CheckFacts::findFile(const std::string& dir, const std::string& file) {
    // A name with a separator in it, or a folder given without its final "/", is rare:
    // it is looked for part by part as ever.
    if (file.empty() || file.find_first_of("/\\") != std::string::npos ||
        (!dir.empty() && dir.back() != '/'))
        return findPathIgnoringCase(dir + file);
    const std::optional<std::string>& folder = resolvedFolder(dir);
    if (!folder)
        return std::nullopt;
    return folders().find(*folder, file);
}

const ModuleFacts& CheckFacts::module(const std::string& gaugesDir, const std::string& name) {
    std::string asked = gaugesDir + name + ".gau";
    if (const auto known = m_roundModules.find(asked); known != m_roundModules.end())
        return *known->second;
    const std::optional<std::string> path = findFile(gaugesDir, name + ".gau");
    const std::optional<FileStamp> stamp = path ? fileStamp(*path) : std::nullopt;
    const ModuleFacts* facts = &m_missing;
    if (stamp) {
        Cached& cached = m_modules[*path];
        if (!cached.facts.found || cached.size != stamp->length ||
            cached.modified != stamp->modified)
            cached = {stamp->length, stamp->modified, readModuleFacts(*path)};
        facts = &cached.facts;
    }
    m_roundModules.emplace(std::move(asked), facts);
    return *facts;
}

const BitmapFacts& CheckFacts::bitmap(const std::string& dir, const std::string& name) {
    std::string asked = dir + name + ".bmp";
    if (const auto known = m_roundBitmaps.find(asked); known != m_roundBitmaps.end())
        return known->second;
    BitmapFacts facts = readBitmapFacts(findFile(dir, name + ".bmp"));
    return m_roundBitmaps.emplace(std::move(asked), facts).first->second;
}

const std::optional<BmpSize>& CheckFacts::fs2kBitmapSize(const std::string& path) {
    const auto known = m_roundSizes.find(path);
    if (known != m_roundSizes.end())
        return known->second;
    return m_roundSizes[path] = readBmpFileSize(path);
}

std::vector<std::string> CheckFacts::readableBitmaps(const std::string& dir) {
    std::vector<std::string> names = namesEndingWith(dir, ".bmp");
    std::erase_if(names, [&dir](const std::string& name) {
        return !readBitmapFacts(findPathIgnoringCase(dir + name + ".bmp")).readable;
    });
    return names;
}

std::vector<std::string> CheckFacts::moduleNames(const std::string& gaugesDir) {
    return namesEndingWith(gaugesDir, ".gau");
}

} // namespace cockpix
