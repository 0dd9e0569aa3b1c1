// The files that name an MSFS aircraft's materials: the same bytes read as a glTF (or .glb)
// for its material names, as a model XML, as a model.cfg and as an aircraft.cfg. Anyone may
// have written them; reading them is bounded in time and memory, and every name read comes
// from the input.

#include "gaugefiles/core/fs2k/modelmaterials.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const cockpix::fs2k::MaterialNames materials = cockpix::fs2k::readGltfMaterials(bytes);
    if (materials.names.size() > size || (!materials.problem.empty() && !materials.names.empty()))
        std::abort();
    for (const std::string& name : materials.names) {
        if (name.size() > size)
            std::abort();
    }
    if (cockpix::fs2k::readModelXml(bytes).modelFiles.size() > size ||
        cockpix::fs2k::modelConfigFiles(bytes).size() > size ||
        cockpix::fs2k::modelFolderNames(bytes).size() > size + 1)
        std::abort();
    return 0;
}
