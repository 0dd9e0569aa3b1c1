#pragma once

// The material names of an MSFS aircraft's 3D models: what a [VCockpitNN] or [VPaintingNN]
// texture= names, the surface MSFS draws the section on. The aircraft's model folders are
// the ones its aircraft.cfg's [FLTSIM.N] model= entries choose (model/, model.NAME/), or
// model/ when none does; each folder's model.cfg names in [models] (normal=, interior=) the
// XML files whose <LOD ModelFile="..."/> name the glTF files (.gltf, or binary .glb) that
// hold the materials. glTF files run to hundreds of MB: only their top-level "materials"
// list is read, never the whole JSON tree, and each file is read once while its size and
// time stay the same.

#include "base/core/filelookup.h"
#include "base/core/smallfilecache.h"
#include "gaugefiles/core/folderindex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cockpix::fs2k {

// A glTF larger than this is not read (its names are not looked for).
inline constexpr std::uint64_t kGltfLimit = std::uint64_t{1} << 30;

struct MaterialNames {
    std::vector<std::string> names; // materials[].name in the file's order (unnamed left out)
    std::string problem;            // why they could not be read; empty when they were
};

// The material names of the bytes of a glTF (JSON) or .glb (binary glTF with its JSON chunk).
MaterialNames readGltfMaterials(std::string_view bytes);
// The same from the file at path; a file too large or unreadable gets a problem.
MaterialNames readGltfMaterialsFile(const std::string& path);
// The same with the file's stamp when read; nullopt when it cannot be opened or is no
// regular file.
std::optional<MaterialNames> readGltfMaterialsFile(const std::string& path, FileStamp& stamp);

// The files a model XML's <LOD ModelFile="..."/> elements name (at any depth), as written.
struct ModelXml {
    std::vector<std::string> modelFiles;
    std::string problem;
};
ModelXml readModelXml(std::string_view bytes);

// The model XML files a model.cfg's [models] section names (normal=, interior=, ...), as
// written, quotes taken off.
std::vector<std::string> modelConfigFiles(std::string_view bytes);

// The model folders of an aircraft.cfg: "model" for [FLTSIM.N] model= empty or absent,
// "model.NAME" for model=NAME; each once, in file order; "model" when no entry names one.
std::vector<std::string> modelFolderNames(std::string_view aircraftCfg);

// One model XML read: "model/interior.xml", and how many material names its glTFs hold.
struct ModelRead {
    std::string name;
    std::size_t materials = 0;
};

struct AircraftMaterials {
    bool modelsFound = false;       // some model.cfg named a model XML that exists
    std::vector<ModelRead> read;    // the model XMLs read, in order
    std::vector<std::string> names; // every material name, sorted, each once
    // What could not be read, each as a message naming the file ("model/x.gltf: ...").
    std::vector<std::string> problems;

    bool holds(std::string_view name) const;
};

class ModelMaterials {
public:
    // The materials of the models of the aircraft whose folder is aircraftDir (ending with
    // "/"), files found whatever the case of their names through folders. A model folder the
    // aircraft lacks is looked for in the base containers it builds on (a livery's
    // aircraft.cfg [VARIATION] or [LIVERY] base_container=).
    AircraftMaterials read(const std::string& aircraftDir, FolderIndex& folders);
    // The same, aircraft.cfg files read through files (which a check shares with its others).
    AircraftMaterials read(const std::string& aircraftDir, FolderIndex& folders,
                           SmallFileCache& files);

    // The names of the glTF at path, read again only when its size or time changed.
    const MaterialNames& gltf(const std::string& path);

private:
    // A model XML as found (path) and read (bytes, or the problem).
    struct FoundXml {
        std::optional<std::string> path;
        std::optional<std::string> bytes;
        std::string problem;
    };
    // The names of the glTF at path, or nullptr when it is not there (or no regular file).
    const MaterialNames* gltfIfThere(const std::string& path);
    // False when dir has no folder name holding a model.cfg.
    bool readModelFolder(const std::string& shownFolder, const std::string& dir,
                         const std::string& name, FolderIndex& folders, AircraftMaterials& out);
    void readModelXmlFile(const std::string& folder, const std::string& shown,
                          const FoundXml& found, FolderIndex& folders, AircraftMaterials& out);

    struct Cached {
        FileStamp stamp;
        MaterialNames names;
    };
    std::unordered_map<std::string, Cached> m_gltf; // by path
    MaterialNames m_unreadable;
};

} // namespace cockpix::fs2k
