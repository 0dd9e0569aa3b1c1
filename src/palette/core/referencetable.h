#pragma once

// The reference colours of FS98's 8-bit palette, as color_mapping_table.pcl in the program
// directory lists them: red, green, blue (0..255) for each colour, separated by commas,
// blanks or line ends.

#include "base/core/usertext.h"
#include "palette/core/rgb.h"

#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

inline constexpr const char* kColorMappingTableName = "color_mapping_table.pcl";
// The optimizer compares with the first 118 colours of the table; what follows is ignored.
inline constexpr int kReferenceColorCount = 118;

struct ReferenceTable {
    std::vector<Rgb> colors; // kReferenceColorCount colours when read
    UserText problem;        // why the table cannot be used; empty when it can
};

// The first 118 colours of the table's text; path only names the file in the problem.
ReferenceTable parseReferenceTable(std::string_view text, const std::string& path);

// The same from the file at path.
ReferenceTable readReferenceTable(const std::string& path);

} // namespace cockpix
