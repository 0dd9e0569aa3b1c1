#include "openpanel.h"

#include "app/core/droppedpanel.h"
#include "base/core/filelookup.h"
#include "panel/core/fs98/reader.h"

#include <cstdio>
#include <filesystem>

namespace cockpix::cli {

std::string fullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

std::string panelArgument(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec) ? panelFileOfFolder(path) : path;
}

PanelReading readPanelQuietly(const std::string& path, const std::string_view* bytes,
                              const Directories& dirs) {
    const std::string chosen = fullPath(path);
    PanelReading reading;
    reading.opened = std::make_unique<OpenedPanel>();
    reading.opened->dirs = dirs;
    reading.opened->dirs.panelDir = fs98::panelDirFromChosenPath(chosen);
    const auto onReroute = [&reading](const std::string& newPanelDir) {
        reading.reroutes.push_back(newPanelDir);
    };
    std::string& panelDir = reading.opened->dirs.panelDir;
    // The reader names the file as it is spelled on disk, as readPanelFile does.
    reading.error = bytes ? fs98::readPanelText(reading.opened->panel, panelDir, *bytes,
                                                resolvePathIgnoringCase(chosen), onReroute)
                          : fs98::readPanelFile(reading.opened->panel, panelDir, chosen, onReroute);
    if (!reading.error)
        fs98::applyOpenedRatioRule(reading.opened->panel);
    return reading;
}

std::unique_ptr<OpenedPanel> reportedPanel(PanelReading reading) {
    for (const std::string& dir : reading.reroutes)
        std::fprintf(stderr, "%s\n", fs98::rerouteMessage(dir).toUtf8().c_str());
    if (reading.error) {
        // The editor's message is about a panel's structure: a file that was not read at all
        // has none.
        if (reading.error->isStructural())
            std::fprintf(stderr, "%.*s\n", static_cast<int>(fs98::kStructureErrorMessage.size()),
                         fs98::kStructureErrorMessage.data());
        std::fprintf(stderr, "%s\n", reading.error->describeText().toUtf8().c_str());
        return nullptr;
    }
    return std::move(reading.opened);
}

std::unique_ptr<OpenedPanel> openPanel(const std::string& path, const Directories& dirs) {
    return reportedPanel(readPanelQuietly(path, nullptr, dirs));
}

std::unique_ptr<OpenedPanel> openPanel(const std::string& path, std::string_view bytes,
                                       const Directories& dirs) {
    return reportedPanel(readPanelQuietly(path, &bytes, dirs));
}

} // namespace cockpix::cli
