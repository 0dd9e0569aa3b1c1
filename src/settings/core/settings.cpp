#include "settings/core/settings.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "base/core/linescanner.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace cockpix {
namespace fs = std::filesystem;

namespace {

std::array<std::string*, 5> fieldsInFileOrder(Directories& dirs) {
    return {&dirs.gaugesDir, &dirs.bmpDir, &dirs.paletteDir, &dirs.panelDir, &dirs.programDir};
}

} // namespace

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string settingsFilePath() {
    const std::string own = environmentValue("COCKPIX_CONFIG_DIR");
    if (!own.empty())
        return (fs::path(own) / "cockpix.ini").string();
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    const std::string xdg = environmentValue("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return (fs::path(xdg) / "cockpix" / "cockpix.ini").string();
    const std::string home = environmentValue("HOME");
    if (!home.empty())
        return (fs::path(home) / ".config" / "cockpix" / "cockpix.ini").string();
    return {};
}

void readSettings(Directories& dirs, const std::string& path) {
    if (const std::optional<std::string> content = readWholeFile(path))
        readSettingsText(dirs, *content);
}

void readSettingsText(Directories& dirs, std::string_view content) {
    LineScanner lines(content);
    for (std::string* field : fieldsInFileOrder(dirs)) {
        const std::optional<std::string_view> line = lines.next();
        if (!line)
            return;
        *field = std::string(*line);
    }
}

bool writeSettings(const Directories& dirs, const std::string& path) {
    if (path.empty())
        return false;
    const fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);

    const std::string content = dirs.gaugesDir + "\r\n" + dirs.bmpDir + "\r\n" + dirs.paletteDir +
                                "\r\n" + dirs.panelDir + "\r\n" + dirs.programDir + "\r\n";

    // A file that holds these lines already is left alone: every start would otherwise
    // rewrite and flush it for nothing.
    if (const auto current = readWholeFile(path); current && *current == content)
        return true;
    // Renamed into place only once complete: a failed write never leaves half a file.
    return writeFileAtomically(path, content) == 0;
}

} // namespace cockpix
