#include "openpanel.h"

#include "panel/core/panelreader.h"

#include <cstdio>
#include <filesystem>

namespace cockpix::cli {

std::string fullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

std::unique_ptr<PanelModel> openPanel(const std::string& path, const Directories& dirs) {
    const std::string chosen = fullPath(path);
    auto model = std::make_unique<PanelModel>();
    model->clearModel();
    model->dirs = dirs;
    model->dirs.panelDir = panelDirFromChosenPath(chosen);
    const auto onReroute = [](const std::string& newPanelDir) {
        std::fprintf(stderr, "%s\n", rerouteMessage(newPanelDir).c_str());
    };
    if (const std::optional<ReadError> error = readPanelFile(*model, chosen, onReroute)) {
        std::fprintf(stderr, "%.*s\n%s\n", static_cast<int>(kStructureErrorMessage.size()),
                     kStructureErrorMessage.data(), error->describe().c_str());
        return nullptr;
    }
    applyOpenedRatioRule(*model);
    return model;
}

} // namespace cockpix::cli
