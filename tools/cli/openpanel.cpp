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

std::unique_ptr<OpenedPanel> openPanel(const std::string& path, const Directories& dirs) {
    const std::string chosen = fullPath(path);
    auto opened = std::make_unique<OpenedPanel>();
    opened->dirs = dirs;
    opened->dirs.panelDir = panelDirFromChosenPath(chosen);
    const auto onReroute = [](const std::string& newPanelDir) {
        std::fprintf(stderr, "%s\n", rerouteMessage(newPanelDir).toUtf8().c_str());
    };
    if (const std::optional<ReadError> error =
            readPanelFile(opened->panel, opened->dirs.panelDir, chosen, onReroute)) {
        std::fprintf(stderr, "%.*s\n%s\n", static_cast<int>(kStructureErrorMessage.size()),
                     kStructureErrorMessage.data(), error->describeText().toUtf8().c_str());
        return nullptr;
    }
    applyOpenedRatioRule(opened->panel);
    return opened;
}

} // namespace cockpix::cli
