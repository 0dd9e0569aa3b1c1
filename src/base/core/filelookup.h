#pragma once

// FS98 files come from Windows, where names ignore case: panel.cfg may name
// "Panel_Main" for Panel_main.BMP and "cessna_182.airspeed" for CESSNA_182.AIRSPEED.GAU.
// Every lookup of a file named by a panel goes through here.

#include <optional>
#include <string>

namespace cockpix {

// The existing path that matches path component by component, ignoring ASCII case (an
// exact match is preferred), or nullopt when there is none.
std::optional<std::string> findPathIgnoringCase(const std::string& path);

// The existing match, or path itself when nothing matches (for creating a new file).
std::string resolvePathIgnoringCase(const std::string& path);

// The whole content of a file, read in one go; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

} // namespace cockpix
