#pragma once

// What both demo aircraft write their files with.

#include <filesystem>
#include <string>

namespace cockpix::demo {

// Writes bytes as the whole file at path; false when it could not be written.
bool writeFile(const std::filesystem::path& path, const std::string& bytes);

// A number as a panel.cfg line writes it: no trailing zeros nor point ("12", "0.5").
std::string number(double value);

} // namespace cockpix::demo
