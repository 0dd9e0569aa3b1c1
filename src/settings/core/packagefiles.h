#pragma once

// The small files that declare an add-on or an MSFS package, read from their bytes:
// manifest.json at a package's root, the package definitions (PackageDefinitions/*.xml) of
// an MSFS source project, and a Prepar3D add-on's add-on.xml. They come from anyone, so
// each reader answers with what it could read and a message, never more.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The most COCKPIX reads of any of these files: real ones are a few kilobytes.
inline constexpr std::size_t kPackageFileLimit = 1024 * 1024;

// Why the bytes are no manifest.json MSFS can read (not JSON, or not an object); empty when
// they are one.
std::string manifestProblem(std::string_view bytes);

// An asset group of a package definition: the source folder (relative to the project's
// folder) the build copies into the output folder (relative to the built package), both
// with "/" separators and ending with "/" (an empty one is the folder itself).
struct FolderMapping {
    std::string source;
    std::string output;
};

struct PackageDefinition {
    std::vector<FolderMapping> assetGroups;
    std::string problem; // why the XML could not be read; empty when it could
};

PackageDefinition readPackageDefinition(std::string_view bytes);

// The source folder that becomes output in the built package under mapping, when the
// mapping covers it (ending with "/"), matching names ignoring case.
std::optional<std::string> sourceFolderOf(const FolderMapping& mapping, std::string_view output);

struct AddOnDeclaration {
    std::string name;                    // <AddOn.Name>
    std::vector<std::string> gaugePaths; // the <Path> of each Gauges component, "/" separated
    std::string problem;
};

AddOnDeclaration readAddOnDeclaration(std::string_view bytes);

} // namespace cockpix
