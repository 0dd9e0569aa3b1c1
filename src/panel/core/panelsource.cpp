#include "panel/core/panelsource.h"

#include "base/core/asciicase.h"
#include "base/core/binarydata.h"
#include "base/core/filelookup.h"

#include <algorithm>
#include <optional>
#include <set>

namespace cockpix {
namespace {

// The FS98 reader gives up after as many reroutes.
constexpr int kMaxReroutes = 16;

} // namespace

namespace {

// Where an alias is read from: the aircraft/ folder (FS98 to FS2004), else the category
// folder below SimObjects/ (SimObjects/Airplanes/: FSX, Prepar3D, MSFS); npos for neither.
std::size_t aliasBaseEnd(const std::string& panelDir) {
    const std::string lowered = asciiLowered(panelDir);
    if (const std::size_t aircraft = lowered.find("aircraft/", 1); aircraft != std::string::npos)
        return aircraft + 9;
    const std::size_t simObjects = lowered.rfind("/simobjects/");
    if (simObjects == std::string::npos)
        return std::string::npos;
    const std::size_t category = lowered.find('/', simObjects + 12);
    return category == std::string::npos ? std::string::npos : category + 1;
}

} // namespace

std::optional<std::string> aliasTarget(const std::string& panelDir, std::string_view alias) {
    const std::size_t base = aliasBaseEnd(panelDir);
    if (base == std::string::npos)
        return std::nullopt;
    std::string relative(alias);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::string dir = panelDir.substr(0, base) + relative + "/";
    if (const std::optional<std::string> onDisk = findPathIgnoringCase(dir)) {
        dir = *onDisk;
        if (dir.empty() || dir.back() != '/')
            dir += '/';
    }
    return dir;
}

PanelSource locatePanel(const std::string& path, const std::string& panelDir) {
    PanelSource at{PanelFormat::Fs98, path, panelDir, {}, {}};
    // The name as given is read first: it is the name on disk nearly always, and a look for
    // another case costs a listing of every folder of the path.
    std::optional<std::string> firstBytes = readWholeFile(path);
    const std::string onDisk = firstBytes ? path : resolvePathIgnoringCase(path);
    if (!firstBytes && onDisk != path)
        firstBytes = readWholeFile(onDisk);
    // A file that cannot be read (a folder, no permission) is no empty panel, which Save would
    // write over it: the FS98 reader says what is wrong.
    if (!firstBytes)
        return at;
    at.bytes = std::move(*firstBytes);
    // Binary bytes show no format: the FS98 reader refuses them.
    if (holdsBinaryData(at.bytes))
        return at;
    PanelFormatAndAlias read = detectPanelFormatAndAlias(at.bytes);
    if (read.format == PanelFormat::Fs98 && liesInLaterPlace(onDisk))
        read = {PanelFormat::Fs2k, fltsimAlias(at.bytes)};
    at.format = read.format;
    const PanelFormat chosenFormat = at.format;
    std::set<std::string> visited{onDisk};
    for (int reroute = 0; reroute < kMaxReroutes; ++reroute) {
        const std::string alias = std::move(read.alias);
        const std::optional<std::string> dir =
            alias.empty() ? std::nullopt : aliasTarget(at.panelDir, alias);
        if (!dir)
            break;
        const std::string file = resolvePathIgnoringCase(*dir + "panel.cfg");
        std::optional<std::string> bytes = readWholeFile(file);
        if (!bytes || holdsBinaryData(*bytes) || !visited.insert(file).second)
            break;
        at.reroutes.push_back(*dir);
        at.file = file;
        at.panelDir = *dir;
        at.bytes = std::move(*bytes);
        read = detectPanelFormatAndAlias(at.bytes);
        if (read.format == PanelFormat::Fs98 && liesInLaterPlace(file))
            read = {PanelFormat::Fs2k, fltsimAlias(at.bytes)};
        at.format = read.format;
    }
    if (at.format == PanelFormat::Fs2k || chosenFormat == PanelFormat::Fs2k || at.reroutes.empty())
        return at;
    // An FS98 panel at the end of the aliases of an FS98 file: the FS98 reader reads the
    // chosen file and follows them as it always has.
    PanelSource chosen{PanelFormat::Fs98, path, panelDir, {}, {}};
    if (std::optional<std::string> bytes = readWholeFile(onDisk))
        chosen.bytes = std::move(*bytes);
    return chosen;
}

} // namespace cockpix
