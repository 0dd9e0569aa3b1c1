#include "settings/core/installation.h"

#include "base/core/filelookup.h"
#include "settings/core/packagefiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

namespace cockpix {

namespace fs = std::filesystem;

namespace {

// How far above the panel folder an installation's root is looked for: MSFS 2024 keeps a
// preset's panel seven folders below the package (SimObjects/Airplanes/X/presets/P/Q/panel).
constexpr int kMostFoldersUp = 10;
// How many entries of a Community or Official folder are looked at, and how many package
// definitions of a project are read: far more than any installation holds.
constexpr int kMostEntriesListed = 20000;
constexpr int kMostDefinitions = 200;

constexpr std::string_view kInstrumentsFolder = "html_ui/Pages/VCockpit/Instruments/";

std::string asFolder(const fs::path& path) {
    std::string text = path.generic_string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

std::string lowerName(const fs::path& path) {
    return asciiLowered(path.filename().string());
}

// The path as written is looked at first, once: a check of a Community folder asks these
// for every package.
std::optional<std::string> existingFolder(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        return asFolder(path);
    const auto found = findPathIgnoringCase(path);
    if (!found || *found == path || !fs::is_directory(*found, error))
        return std::nullopt;
    return asFolder(*found);
}

std::optional<std::string> existingFile(const std::string& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return path;
    const auto found = findPathIgnoringCase(path);
    if (!found || *found == path || !fs::is_regular_file(*found, error))
        return std::nullopt;
    return found;
}

// A declaring file's bytes, or why they cannot be had (a file larger than any real one is
// not read at all).
std::optional<std::string> bytesOf(FileRead file, std::string& problem) {
    if (file.read())
        return std::move(file.bytes);
    problem = file.outcome == FileRead::Outcome::TooLarge ? "larger than 1 MB" : "cannot be read";
    return std::nullopt;
}

std::optional<std::string> readSmallFile(const std::string& path, std::string& problem) {
    return bytesOf(readRegularFile(path, kPackageFileLimit), problem);
}

// The manifest.json of dir, read when dir is an MSFS package (the name as written first: one
// read, with no look at the folder before it); nullopt when dir is none.
std::optional<FileRead> readManifest(const fs::path& dir) {
    const std::string written = (dir / "manifest.json").string();
    FileRead manifest = readRegularFile(written, kPackageFileLimit);
    if (manifest.outcome == FileRead::Outcome::Missing ||
        manifest.outcome == FileRead::Outcome::NotAFile) {
        const auto found = existingFile(written);
        if (!found)
            return std::nullopt;
        manifest = readRegularFile(*found, kPackageFileLimit);
    }
    return manifest;
}

void addOnce(std::vector<std::string>& dirs, std::string dir) {
    if (std::find(dirs.begin(), dirs.end(), dir) == dirs.end())
        dirs.push_back(std::move(dir));
}

Installation started(Simulator simulator, const fs::path& root) {
    Installation found;
    found.simulator = simulator;
    found.root = asFolder(root);
    found.name = root.filename().string();
    return found;
}

bool isPanelFolderName(const std::string& lowered) {
    return lowered == "panel" || lowered.starts_with("panel.");
}

bool isPackage(const fs::path& dir) {
    return existingFile((dir / "manifest.json").string()).has_value();
}

// The sub-folders of dir, sorted by name (a bounded listing).
std::vector<fs::path> subFolders(const fs::path& dir) {
    std::vector<fs::path> found;
    std::error_code error;
    fs::directory_iterator it(dir, error);
    for (int seen = 0; !error && it != fs::directory_iterator() && seen < kMostEntriesListed;
         it.increment(error), ++seen) {
        std::error_code kind;
        if (it->is_directory(kind))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The packages of an MSFS Community or Official folder: its sub-folders with a
// manifest.json, or theirs (Official/OneStore/<package>).
std::vector<fs::path> packagesIn(const fs::path& folder) {
    std::vector<fs::path> packages;
    for (const fs::path& entry : subFolders(folder)) {
        if (isPackage(entry)) {
            packages.push_back(entry);
            continue;
        }
        for (const fs::path& inner : subFolders(entry))
            if (isPackage(inner))
                packages.push_back(inner);
    }
    return packages;
}

void addInstrumentsOf(Installation& found, const fs::path& package) {
    if (auto dir = existingFolder((package / kInstrumentsFolder).string()))
        addOnce(found.instrumentDirs, std::move(*dir));
}

void addStockInstruments(Installation& found, const fs::path& folder) {
    for (const fs::path& package : packagesIn(folder))
        addInstrumentsOf(found, package);
}

// The Community or Official folder a package stands in, when it stands in one.
std::optional<fs::path> packagesFolderOf(const fs::path& package) {
    const fs::path folder = package.parent_path();
    const std::string name = lowerName(folder);
    if (name == "community")
        return folder;
    if ((name == "onestore" || name == "steam") && lowerName(folder.parent_path()) == "official")
        return folder;
    return std::nullopt;
}

bool isOfficial(const fs::path& folder) {
    const std::string name = lowerName(folder);
    return name == "official" || ((name == "onestore" || name == "steam") &&
                                  lowerName(folder.parent_path()) == "official");
}

// MSFS keeps Packages/Community beside Packages/Official: the other one of the two.
std::optional<std::string> otherPackagesFolder(const fs::path& folder) {
    if (lowerName(folder) == "community")
        return existingFolder((folder.parent_path() / "Official").string());
    if (!isOfficial(folder))
        return std::nullopt;
    const fs::path official = lowerName(folder) == "official" ? folder : folder.parent_path();
    return existingFolder((official.parent_path() / "Community").string());
}

void addPackagesFolder(Installation& found, const std::string& folder) {
    fs::path path(folder);
    if (!path.has_filename())
        path = path.parent_path();
    addOnce(found.packagesFolders, asFolder(path));
    if (auto other = otherPackagesFolder(path))
        addOnce(found.packagesFolders, std::move(*other));
}

// The packages folders, then (when instruments) their packages' instruments after the own.
void addStockFolders(Installation& found, const std::optional<fs::path>& standsIn,
                     const std::string& stockDir, bool instruments) {
    found.ownInstrumentDirs = found.instrumentDirs.size();
    if (standsIn)
        addPackagesFolder(found, asFolder(*standsIn));
    if (!stockDir.empty()) {
        if (auto folder = existingFolder(stockDir))
            addPackagesFolder(found, *folder);
    }
    if (!instruments)
        return;
    for (const std::string& folder : found.packagesFolders)
        addStockInstruments(found, folder);
}

Installation msfsPackage(const fs::path& root, FileRead manifest, const std::string& stockDir,
                         bool instruments) {
    Installation found = started(Simulator::MsfsPackage, root);
    std::string problem;
    if (const auto bytes = bytesOf(std::move(manifest), problem))
        problem = manifestProblem(*bytes);
    if (!problem.empty())
        found.problems.push_back("manifest.json of " + found.name + ": " + problem);
    addInstrumentsOf(found, root);
    addStockFolders(found, packagesFolderOf(root), stockDir, instruments);
    return found;
}

void readDefinition(Installation& found, const std::string& path, const std::string& file) {
    std::string problem;
    const auto bytes = readSmallFile(path, problem);
    PackageDefinition definition;
    if (bytes)
        definition = readPackageDefinition(*bytes);
    if (!definition.problem.empty())
        problem = definition.problem;
    if (!problem.empty()) {
        found.problems.push_back("package definition " + file + ": " + problem);
        return;
    }
    for (const FolderMapping& group : definition.assetGroups) {
        const auto source = sourceFolderOf(group, kInstrumentsFolder);
        if (!source)
            continue;
        if (auto dir = existingFolder(found.root + *source))
            addOnce(found.instrumentDirs, std::move(*dir));
    }
}

Installation msfsProject(const fs::path& root, const std::string& definitions,
                         const std::string& stockDir, bool instruments) {
    Installation found = started(Simulator::MsfsProject, root);
    int read = 0;
    for (const std::string& file : filesWithExtension(definitions, ".xml")) {
        if (++read > kMostDefinitions)
            break;
        readDefinition(found, pathInDirectory(definitions, file), file);
    }
    addStockFolders(found, std::nullopt, stockDir, instruments);
    return found;
}

// An MSFS package or project: the folder that holds the SimObjects, attachments or presets
// folder the panel lies in has a manifest.json, or is a project's PackageSources.
std::optional<Installation> findMsfs(const fs::path& panel, const std::string& stockDir,
                                     bool instruments) {
    fs::path at = panel.parent_path();
    for (int up = 0; up < kMostFoldersUp && at.has_relative_path(); ++up, at = at.parent_path()) {
        const std::string name = lowerName(at);
        if (name != "simobjects" && name != "attachments" && name != "presets")
            continue;
        const fs::path holder = at.parent_path();
        if (auto manifest = readManifest(holder))
            return msfsPackage(holder, std::move(*manifest), stockDir, instruments);
        if (lowerName(holder) != "packagesources")
            continue;
        if (auto definitions =
                existingFolder((holder.parent_path() / "PackageDefinitions").string()))
            return msfsProject(holder.parent_path(), *definitions, stockDir, instruments);
    }
    return std::nullopt;
}

void addDeclaredGauges(Installation& found, const std::string& declaration) {
    std::string problem;
    AddOnDeclaration addOn;
    if (const auto bytes = readSmallFile(declaration, problem))
        addOn = readAddOnDeclaration(*bytes);
    if (!addOn.problem.empty())
        problem = addOn.problem;
    if (!problem.empty())
        found.problems.push_back("add-on.xml of " + found.name + ": " + problem);
    for (const std::string& path : addOn.gaugePaths) {
        const std::string full = path.starts_with('/') ? path : found.root + path;
        if (auto dir = existingFolder(full))
            addOnce(found.gaugesDirs, std::move(*dir));
    }
}

// A Prepar3D add-on package: add-on.xml in one of the few folders above the aircraft's.
std::optional<Installation> findP3dAddon(const fs::path& panel) {
    fs::path at = panel.parent_path();
    for (int up = 0; up < 4 && at.has_relative_path(); ++up, at = at.parent_path()) {
        const auto declaration = existingFile((at / "add-on.xml").string());
        if (!declaration)
            continue;
        Installation found = started(Simulator::P3dAddon, at);
        addDeclaredGauges(found, *declaration);
        return found;
    }
    return std::nullopt;
}

// ROOT/<aircraftFolder>/X/panel with ROOT/Gauges (FS98 to FS2004's Aircraft) or
// ROOT/SimObjects/<category>/X/panel (FSX and Prepar3D).
std::optional<Installation> findRootLayout(const fs::path& panel) {
    fs::path above = panel.parent_path().parent_path();
    Simulator simulator = Simulator::Fs98ToFs2004;
    if (lowerName(above) != "aircraft") {
        above = above.parent_path();
        if (lowerName(above) != "simobjects")
            return std::nullopt;
        simulator = Simulator::FsxOrP3d;
    }
    const fs::path root = above.parent_path();
    auto gauges = existingFolder((root / "Gauges").string());
    if (!gauges)
        return std::nullopt;
    Installation found = started(simulator, root);
    found.gaugesDirs.push_back(std::move(*gauges));
    return found;
}

Installation findFrom(const fs::path& panel, const std::string& stockDir, bool instruments) {
    if (!isPanelFolderName(lowerName(panel)))
        return {};
    if (auto msfs = findMsfs(panel, stockDir, instruments))
        return std::move(*msfs);
    if (auto addOn = findP3dAddon(panel))
        return std::move(*addOn);
    if (auto root = findRootLayout(panel))
        return std::move(*root);
    return {};
}

bool holdsFileEndingIn(const std::string& dir, std::initializer_list<std::string_view> endings) {
    for (std::string_view ending : endings)
        if (!filesWithExtension(dir, std::string(ending)).empty())
            return true;
    return false;
}

} // namespace

std::string Installation::description() const {
    std::string shownRoot = root;
    if (shownRoot.size() > 1 && shownRoot.back() == '/')
        shownRoot.pop_back();
    switch (simulator) {
    case Simulator::Fs98ToFs2004:
        return "FS98 to FS2004 installation " + shownRoot;
    case Simulator::FsxOrP3d:
        return "FSX or Prepar3D installation " + shownRoot;
    case Simulator::P3dAddon:
        return "Prepar3D add-on " + name;
    case Simulator::MsfsPackage:
        return "MSFS package " + name;
    case Simulator::MsfsProject:
        return "MSFS project " + name;
    case Simulator::None:
        break;
    }
    return {};
}

Installation findInstallation(const std::string& panelDir, const std::string& stockDir,
                              bool instruments) {
    if (panelDir.empty())
        return {};
    try {
        std::error_code error;
        fs::path panel = fs::absolute(fs::path(panelDir), error).lexically_normal();
        if (error)
            return {};
        if (!panel.has_filename())
            panel = panel.parent_path();
        return findFrom(panel, stockDir, instruments);
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const fs::filesystem_error&) {
        return {};
    }
}

std::vector<std::string> packagesInstrumentDirs(const std::string& packagesFolder) {
    Installation found;
    try {
        addStockInstruments(found, packagesFolder);
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const fs::filesystem_error&) {
        return {};
    }
    return std::move(found.instrumentDirs);
}

bool isOfficialFolder(const std::string& dir) {
    fs::path folder = fs::path(dir).lexically_normal();
    if (!folder.has_filename())
        folder = folder.parent_path();
    return isOfficial(folder);
}

std::vector<std::string> gaugeFoldersFor(const Installation& installation,
                                         const Directories& dirs) {
    if (installation.found())
        return installation.gaugesDirs;
    if (dirs.gaugesDir.empty())
        return {};
    return {dirs.gaugesDir};
}

bool isSimulatorGaugesFolder(const std::string& dir) {
    fs::path folder = fs::path(dir).lexically_normal();
    if (!folder.has_filename())
        folder = folder.parent_path();
    if (lowerName(folder) != "gauges")
        return false;
    const std::string parent = asFolder(folder.parent_path());
    return existingFolder(parent + "Aircraft") || existingFolder(parent + "SimObjects") ||
           holdsFileEndingIn(dir, {".gau", ".dll", ".cab"});
}

bool isMsfsPackagesFolder(const std::string& dir) {
    try {
        return !packagesIn(fs::path(dir)).empty();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::string userCacheDir() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return asFolder(fs::path(cache) / "cockpix");
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return asFolder(fs::path(home) / ".cache" / "cockpix");
    std::error_code error;
    return asFolder(fs::temp_directory_path(error) / "cockpix");
}

} // namespace cockpix
