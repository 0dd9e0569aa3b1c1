#include "openpanel.h"

#include "base/core/filelookup.h"
#include "panel/core/panelreader.h"

#include <cstdio>
#include <filesystem>

namespace cockpix::cli {

std::string fullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

namespace {

std::unique_ptr<OpenedPanel> open(const std::string& path, const std::string_view* bytes,
                                  const Directories& dirs) {
    const std::string chosen = fullPath(path);
    auto opened = std::make_unique<OpenedPanel>();
    opened->dirs = dirs;
    opened->dirs.panelDir = panelDirFromChosenPath(chosen);
    const auto onReroute = [](const std::string& newPanelDir) {
        std::fprintf(stderr, "%s\n", rerouteMessage(newPanelDir).toUtf8().c_str());
    };
    std::string& panelDir = opened->dirs.panelDir;
    // The reader names the file as it is spelled on disk, as readPanelFile does.
    if (const std::optional<ReadError> error =
            bytes ? readPanelText(opened->panel, panelDir, *bytes, resolvePathIgnoringCase(chosen),
                                  onReroute)
                  : readPanelFile(opened->panel, panelDir, chosen, onReroute)) {
        std::fprintf(stderr, "%.*s\n%s\n", static_cast<int>(kStructureErrorMessage.size()),
                     kStructureErrorMessage.data(), error->describeText().toUtf8().c_str());
        return nullptr;
    }
    applyOpenedRatioRule(opened->panel);
    return opened;
}

} // namespace

std::unique_ptr<OpenedPanel> openPanel(const std::string& path, const Directories& dirs) {
    return open(path, nullptr, dirs);
}

std::unique_ptr<OpenedPanel> openPanel(const std::string& path, std::string_view bytes,
                                       const Directories& dirs) {
    return open(path, &bytes, dirs);
}

} // namespace cockpix::cli
