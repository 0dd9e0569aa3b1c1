// The files that declare a simulator's packages: the same bytes read as an MSFS package's
// manifest.json, as a package definition of an MSFS project and as a Prepar3D add-on.xml.
// Anyone may have written them; reading them is bounded in time, memory and depth.

#include "settings/core/packagefiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)cockpix::manifestProblem(bytes);

    const cockpix::PackageDefinition definition = cockpix::readPackageDefinition(bytes);
    // Every asset group comes from elements of the input: no more of them than its bytes.
    if (definition.assetGroups.size() > size)
        std::abort();
    for (const cockpix::FolderMapping& group : definition.assetGroups) {
        if (group.source.size() > size + 1 || group.output.size() > size + 1)
            std::abort();
        (void)cockpix::sourceFolderOf(group, "html_ui/Pages/VCockpit/Instruments/");
    }

    const cockpix::AddOnDeclaration addOn = cockpix::readAddOnDeclaration(bytes);
    if (addOn.gaugePaths.size() > size || addOn.name.size() > size)
        std::abort();
    return 0;
}
