#pragma once

// The folder of cockpix-cli, with a slash: where its shipped files (default pictures, help)
// and its picture helper are looked for. The helper lives elsewhere and is told the folder
// of the cockpix-cli that started it.

#include <string>

namespace cockpix::cli {

std::string cliDirectory();
void setCliDirectory(std::string dir);

} // namespace cockpix::cli
