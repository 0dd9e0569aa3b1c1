#include "gaugefiles/core/fs2k/modelmaterials.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/variant.h"

#include <pugixml.hpp>
#include <simdjson.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace cockpix::fs2k {
namespace {

// aircraft.cfg, model.cfg and model XMLs are small text files.
constexpr std::uint64_t kTextLimit = SmallFileCache::kLimit;
// The materials list is read from a part of the JSON that starts with it and grows until it
// holds the whole list, up to this size.
constexpr std::size_t kFirstWindow = 64u << 10;
constexpr std::size_t kWindowLimit = 64u << 20;
// A file that names "materials" more than once is read whole, to tell the top-level list from
// the others, when it is no larger than this (simdjson indexes it at four bytes a byte).
constexpr std::size_t kWholeReadLimit = 64u << 20;
// No aircraft builds on bases this deep.
constexpr std::size_t kMaxBases = 16;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t skipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// The names of a materials list, read with simdjson's On-Demand API.
simdjson::error_code namesOf(simdjson::ondemand::array array, std::vector<std::string>& names) {
    names.clear();
    for (auto element : array) {
        simdjson::ondemand::object material;
        if (auto error = element.get_object().get(material))
            return error;
        std::string_view name;
        const auto error = material.find_field_unordered("name").get_string().get(name);
        if (error == simdjson::SUCCESS)
            names.emplace_back(name);
        else if (error != simdjson::NO_SUCH_FIELD && error != simdjson::INCORRECT_TYPE)
            return error;
    }
    return simdjson::SUCCESS;
}

// The names of the list at the start of list (readable padding follows it).
simdjson::error_code namesOfList(simdjson::ondemand::parser& parser, std::string_view list,
                                 std::vector<std::string>& names) {
    simdjson::ondemand::document document;
    simdjson::ondemand::array array;
    auto error = parser.iterate(list.data(), list.size(), list.size() + simdjson::SIMDJSON_PADDING)
                     .get(document);
    if (!error)
        error = document.get_array().get(array);
    return error ? error : namesOf(array, names);
}

// The list at the start of text, read from a part of it that doubles until it holds the list.
// simdjson takes a root list only when the text ends with a "]": the part read ends with
// one of its last few (the very last may stand in a string), which closes the materials
// list once the part holds it.
std::string materialsAt(std::string_view text, std::vector<std::string>& names) {
    constexpr int kEndsTried = 8;
    simdjson::ondemand::parser parser;
    std::size_t window = std::min(kFirstWindow, text.size());
    for (;;) {
        auto error = simdjson::INCOMPLETE_ARRAY_OR_OBJECT;
        std::size_t end = window;
        for (int tried = 0; tried < kEndsTried && error != simdjson::SUCCESS; ++tried) {
            end = end == 0 ? std::string_view::npos : text.substr(0, end).rfind(']');
            if (end == std::string_view::npos)
                break;
            error = namesOfList(parser, text.substr(0, end + 1), names);
        }
        if (error == simdjson::SUCCESS)
            return {};
        if (window == text.size() || window >= kWindowLimit)
            return std::string("its materials list cannot be read: ") +
                   simdjson::error_message(error);
        window = std::min(window * 2, text.size());
    }
}

// The whole JSON read field by field at its top level, for the list of the top-level key.
std::string materialsOfWholeJson(std::string_view json, std::vector<std::string>& names) {
    if (json.size() > kWholeReadLimit)
        return "it names \"materials\" more than once and is too large to tell which list is "
               "the model's";
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    simdjson::ondemand::object root;
    auto error = parser.iterate(json.data(), json.size(), json.size() + simdjson::SIMDJSON_PADDING)
                     .get(document);
    if (!error)
        error = document.get_object().get(root);
    if (error) // an object not read is never iterated
        return std::string("it is not JSON: ") + simdjson::error_message(error);
    for (auto field : root) {
        std::string_view key;
        if ((error = field.unescaped_key().get(key)))
            break;
        if (key != "materials")
            continue;
        simdjson::ondemand::array array;
        if (!(error = field.value().get_array().get(array)))
            error = namesOf(array, names);
        break;
    }
    return error
               ? std::string("its materials list cannot be read: ") + simdjson::error_message(error)
               : std::string();
}

// Where "materials": stands as a key: a byte search, as fast as reading the bytes, finds it
// without indexing the huge arrays of numbers a glTF may hold.
std::vector<std::size_t> materialsKeys(std::string_view json) {
    static constexpr std::string_view kKey = "\"materials\"";
    const std::boyer_moore_horspool_searcher searcher(kKey.begin(), kKey.end());
    std::vector<std::size_t> values;
    for (auto at = json.begin();;) {
        at = std::search(at, json.end(), searcher);
        if (at == json.end())
            return values;
        const std::size_t key = static_cast<std::size_t>(at - json.begin());
        at += static_cast<std::ptrdiff_t>(kKey.size());
        if (key > 0 && json[key - 1] == '\\')
            continue; // inside a string
        const std::size_t colon = skipBlanks(json, key + kKey.size());
        if (colon < json.size() && json[colon] == ':')
            values.push_back(skipBlanks(json, colon + 1));
    }
}

// The JSON of a glTF (with readable padding after it).
MaterialNames materialsOfJson(std::string_view json) {
    MaterialNames out;
    const std::size_t first = skipBlanks(json, json.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    std::size_t last = json.size();
    while (last > first && isBlank(json[last - 1]))
        --last;
    if (first == json.size() || json[first] != '{') {
        out.problem = "it is not a glTF: its text is no JSON object";
        return out;
    }
    if (json[last - 1] != '}') {
        out.problem = "it is cut short: its JSON object does not end";
        return out;
    }
    const std::vector<std::size_t> keys = materialsKeys(json);
    if (keys.size() > 1)
        out.problem = materialsOfWholeJson(json, out.names);
    else if (keys.size() == 1)
        out.problem = materialsAt(json.substr(keys.front()), out.names);
    if (!out.problem.empty())
        out.names.clear();
    return out;
}

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// A .glb: "glTF", version, length, then the JSON chunk (its length, "JSON", its bytes).
MaterialNames materialsOfGlb(std::string_view bytes) {
    MaterialNames out;
    if (bytes.size() < 20 || bytes.substr(16, 4) != "JSON") {
        out.problem = "it is not a binary glTF: it has no JSON chunk";
        return out;
    }
    const std::uint32_t length = littleEndian32(bytes, 12);
    if (length > bytes.size() - 20) {
        out.problem = "it is cut short: its JSON chunk goes past its end";
        return out;
    }
    return materialsOfJson(bytes.substr(20, length));
}

// bytes with readable padding after them.
MaterialNames materialsOfPadded(std::string_view bytes) {
    return bytes.starts_with("glTF") ? materialsOfGlb(bytes) : materialsOfJson(bytes);
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The file at path opened unbuffered (its bytes go straight where they are read to), and its
// stamp; no file when it cannot be opened or is no regular file.
File openStamped(const std::string& path, FileStamp& stamp) {
    // O_NONBLOCK: a pipe with a model's name must not make the check wait for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    File file(descriptor < 0 ? nullptr : ::fdopen(descriptor, "rb"), &std::fclose);
    if (!file) {
        if (descriptor >= 0)
            ::close(descriptor);
        return file;
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    // The size and time from one look at the open file: the time keys the names kept.
    const std::optional<FileStamp> found = openFileStamp(::fileno(file.get()));
    if (!found)
        file.reset();
    else
        stamp = *found;
    return file;
}

// A small text file's bytes: nullopt when it is not there (problem left empty), cannot be
// read or is too large (problem says which).
std::optional<std::string> textOf(const FileRead& file, std::string& problem) {
    problem.clear();
    switch (file.outcome) {
    case FileRead::Outcome::Read:
        return file.bytes;
    case FileRead::Outcome::TooLarge:
        problem = "larger than 16 MB";
        break;
    case FileRead::Outcome::Unreadable:
        problem = "it cannot be read";
        break;
    case FileRead::Outcome::Missing:
    case FileRead::Outcome::NotAFile:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> readTextFile(const std::string& path, std::string& problem) {
    return textOf(readRegularFile(path, kTextLimit), problem);
}

// dir + relative (relative written with "/" or "\\"): as written first, which needs no listing
// of the folders (the usual case), else found whatever its case. path is where it was found.
struct FoundText {
    std::optional<std::string> path;
    std::optional<std::string> bytes;
    std::string problem;
};
FoundText readFound(FolderIndex& folders, const std::string& dir, std::string_view relative) {
    FoundText out;
    std::string exact = dir + std::string(relative);
    std::replace(exact.begin(), exact.end(), '\\', '/');
    out.bytes = readTextFile(exact, out.problem);
    if (out.bytes || !out.problem.empty()) {
        out.path = std::move(exact);
        return out;
    }
    out.path = folders.find(dir, relative);
    if (out.path) {
        out.bytes = readTextFile(*out.path, out.problem);
        if (!out.bytes && out.problem.empty())
            out.problem = "it cannot be read";
    }
    return out;
}

// dir's aircraft.cfg, read through files: the variant check reads the same one.
FoundText readAircraftCfg(FolderIndex& folders, SmallFileCache& files, const std::string& dir) {
    FoundText out;
    std::string path = dir + "aircraft.cfg";
    std::shared_ptr<const FileRead> cfg = files.read(path);
    if (cfg->outcome == FileRead::Outcome::Missing || cfg->outcome == FileRead::Outcome::NotAFile) {
        const std::optional<std::string> listed = folders.find(dir, "aircraft.cfg");
        if (!listed)
            return out;
        path = *listed;
        cfg = files.read(path);
    }
    out.path = std::move(path);
    out.bytes = textOf(*cfg, out.problem);
    if (!out.bytes && out.problem.empty())
        out.problem = "it cannot be read";
    return out;
}

// "Jet" of "/x/SimObjects/Airplanes/Jet/".
std::string folderName(std::string dir) {
    while (!dir.empty() && dir.back() == '/')
        dir.pop_back();
    return dir.substr(dir.rfind('/') + 1);
}

bool isModelsSection(std::string_view name) {
    return equalsIgnoringCase(trimmedBlanks(name), "models");
}

} // namespace

MaterialNames readGltfMaterials(std::string_view bytes) {
    const simdjson::padded_string padded(bytes.data(), bytes.size());
    return materialsOfPadded(std::string_view(padded.data(), padded.size()));
}

MaterialNames readGltfMaterialsFile(const std::string& path) {
    FileStamp stamp;
    return readGltfMaterialsFile(path, stamp).value_or(MaterialNames{{}, "it cannot be read"});
}

std::optional<MaterialNames> readGltfMaterialsFile(const std::string& path, FileStamp& stamp) {
    const File file = openStamped(path, stamp);
    if (!file)
        return std::nullopt;
    MaterialNames out;
    if (stamp.length > kGltfLimit) {
        out.problem = "larger than 1 GB: its materials are not read";
        return out;
    }
    // Never more than the file's size (plus padding), whatever it holds.
    simdjson::padded_string padded(static_cast<std::size_t>(stamp.length));
    const std::size_t got = std::fread(padded.data(), 1, padded.size(), file.get());
    std::memset(padded.data() + got, 0, padded.size() - got);
    return materialsOfPadded(std::string_view(padded.data(), got));
}

ModelXml readModelXml(std::string_view bytes) {
    ModelXml out;
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
    if (!result) {
        out.problem =
            std::string(result.description()) + " at byte " + std::to_string(result.offset);
        return out;
    }
    struct Walker : pugi::xml_tree_walker {
        std::vector<std::string>* files = nullptr;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() != pugi::node_element || !equalsIgnoringCase(node.name(), "LOD"))
                return true;
            for (const pugi::xml_attribute& attribute : node.attributes()) {
                if (equalsIgnoringCase(attribute.name(), "ModelFile") &&
                    !trimmedBlanks(attribute.value()).empty())
                    files->emplace_back(trimmedBlanks(attribute.value()));
            }
            return true;
        }
    } walker;
    walker.files = &out.modelFiles;
    document.traverse(walker);
    return out;
}

std::vector<std::string> modelConfigFiles(std::string_view bytes) {
    const PanelLines lines{std::string(bytes)};
    std::vector<std::string> files;
    for (std::size_t s = 0; s < lines.sectionCount(); ++s) {
        if (!isModelsSection(lines.sectionName(s)))
            continue;
        for (std::size_t line = lines.headerLine(s) + 1; line < lines.sectionEnd(s); ++line) {
            const std::string_view file = unquoted(lines.value(line));
            if (lines.kind(line) == LineKind::Key && !file.empty())
                files.emplace_back(file);
        }
    }
    return files;
}

std::vector<std::string> modelFolderNames(std::string_view aircraftCfg) {
    const PanelLines lines{std::string(aircraftCfg)};
    std::vector<std::string> folders;
    for (std::size_t s = 0; s < lines.sectionCount(); ++s) {
        if (!startsWithIgnoringCase(trimmedBlanks(lines.sectionName(s)), "fltsim."))
            continue;
        const std::size_t key = lines.findKey(s, "model");
        const std::string_view name = key == PanelLines::npos ? "" : unquoted(lines.value(key));
        std::string folder = name.empty() ? "model" : "model." + std::string(name);
        if (std::find_if(folders.begin(), folders.end(), [&](const std::string& f) {
                return equalsIgnoringCase(f, folder);
            }) == folders.end())
            folders.push_back(std::move(folder));
    }
    if (folders.empty())
        folders.emplace_back("model");
    return folders;
}

bool AircraftMaterials::holds(std::string_view name) const {
    return std::binary_search(names.begin(), names.end(), name);
}

const MaterialNames& ModelMaterials::gltf(const std::string& path) {
    if (const MaterialNames* names = gltfIfThere(path))
        return *names;
    m_unreadable.problem = "it cannot be read";
    return m_unreadable;
}

const MaterialNames* ModelMaterials::gltfIfThere(const std::string& path) {
    auto cached = m_gltf.find(path);
    if (cached != m_gltf.end()) {
        const std::optional<FileStamp> stamp = fileStamp(path);
        if (!stamp)
            return nullptr;
        if (*stamp == cached->second.stamp)
            return &cached->second.names;
    }
    // Not kept, or changed: opened and looked at once, which gives the stamp it is kept by.
    FileStamp stamp;
    std::optional<MaterialNames> names = readGltfMaterialsFile(path, stamp);
    if (!names)
        return nullptr;
    if (cached == m_gltf.end())
        cached = m_gltf.emplace(path, Cached{stamp, std::move(*names)}).first;
    else
        cached->second = Cached{stamp, std::move(*names)};
    return &cached->second.names;
}

void ModelMaterials::readModelXmlFile(const std::string& folder, const std::string& shown,
                                      const FoundXml& found, FolderIndex& folders,
                                      AircraftMaterials& out) {
    const ModelXml xml = found.bytes ? readModelXml(*found.bytes) : ModelXml{{}, found.problem};
    if (!xml.problem.empty()) {
        out.problems.push_back(shown + ": " + xml.problem);
        return;
    }
    std::vector<std::string> names;
    const std::string shownFolder = shown.substr(0, shown.rfind('/'));
    for (const std::string& file : xml.modelFiles) {
        std::string path = folder + file;
        std::replace(path.begin(), path.end(), '\\', '/');
        if (path == *found.path) {
            out.problems.push_back(shown + ": it names itself as its model");
            continue;
        }
        const MaterialNames* gltf = gltfIfThere(path); // as written, mostly
        if (gltf == nullptr) {
            const std::optional<std::string> listed = folders.find(folder, file);
            if (listed && *listed == *found.path) {
                out.problems.push_back(shown + ": it names itself as its model");
                continue;
            }
            gltf = listed ? gltfIfThere(*listed) : nullptr;
        }
        if (gltf == nullptr) {
            out.problems.push_back(shownFolder + "/" + file + ": not in " + shownFolder);
            continue;
        }
        if (!gltf->problem.empty())
            out.problems.push_back(shownFolder + "/" + file + ": " + gltf->problem);
        names.insert(names.end(), gltf->names.begin(), gltf->names.end());
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    out.read.push_back({shown, names.size()});
    out.names.insert(out.names.end(), names.begin(), names.end());
}

bool ModelMaterials::readModelFolder(const std::string& shownFolder, const std::string& dir,
                                     const std::string& name, FolderIndex& folders,
                                     AircraftMaterials& out) {
    const FoundText cfg = readFound(folders, dir, name + "/model.cfg");
    if (!cfg.path)
        return false;
    if (!cfg.bytes) {
        out.problems.push_back(shownFolder + "/model.cfg: " + cfg.problem);
        return true;
    }
    const std::string folder = cfg.path->substr(0, cfg.path->rfind('/') + 1);
    for (const std::string& file : modelConfigFiles(*cfg.bytes)) {
        const std::string shown = shownFolder + "/" + file;
        const FoundText xml = readFound(folders, folder, file);
        if (!xml.path) {
            out.problems.push_back(shown + ": not in " + shownFolder);
            continue;
        }
        out.modelsFound = true;
        if (*xml.path == *cfg.path)
            out.problems.push_back(shownFolder + "/model.cfg: it names itself as a model");
        else
            readModelXmlFile(folder, shown, {xml.path, xml.bytes, xml.problem}, folders, out);
    }
    return true;
}

AircraftMaterials ModelMaterials::read(const std::string& aircraftDir, FolderIndex& folders) {
    SmallFileCache files;
    return read(aircraftDir, folders, files);
}

AircraftMaterials ModelMaterials::read(const std::string& aircraftDir, FolderIndex& folders,
                                       SmallFileCache& files) {
    AircraftMaterials out;
    // The aircraft's folder, then the base containers it builds on: a livery has no model of
    // its own. A loop of bases ends where it comes back.
    std::vector<std::string> dirs;
    std::vector<std::string> modelFolders{"model"};
    for (std::string dir = aircraftDir; !dir.empty() && dirs.size() < kMaxBases &&
                                        std::find(dirs.begin(), dirs.end(), dir) == dirs.end();) {
        dirs.push_back(dir);
        const FoundText cfg = readAircraftCfg(folders, files, dir);
        if (cfg.path && !cfg.bytes && dirs.size() == 1)
            out.problems.push_back("aircraft.cfg: " + cfg.problem);
        if (cfg.bytes && dirs.size() == 1)
            modelFolders = modelFolderNames(*cfg.bytes);
        const std::string base =
            cfg.bytes ? baseContainerIn(PanelLines(std::string(*cfg.bytes))) : std::string();
        const std::optional<std::string> found =
            base.empty() ? std::nullopt
                         : findPathIgnoringCase(
                               std::filesystem::path(dir + base).lexically_normal().string());
        dir = found ? *found + (found->ends_with('/') ? "" : "/") : std::string();
    }
    for (const std::string& name : modelFolders) {
        for (const std::string& dir : dirs) {
            if (readModelFolder(dir == aircraftDir ? name : folderName(dir) + "/" + name, dir, name,
                                folders, out))
                break;
        }
    }
    std::sort(out.names.begin(), out.names.end());
    out.names.erase(std::unique(out.names.begin(), out.names.end()), out.names.end());
    return out;
}

} // namespace cockpix::fs2k
