#include "palette/core/referencetable.h"

#include "base/core/filelookup.h"
#include "palette/core/numberfields.h"

namespace cockpix {
namespace {

UserText tableProblem(const std::string& path, const UserText& reason) {
    return "The colour mapping table '" + UserText::path(path) + "' cannot be used:\n" + reason;
}

} // namespace

ReferenceTable parseReferenceTable(std::string_view text, const std::string& path) {
    ReferenceTable table;
    NumberFields fields(text);
    std::uint8_t channels[3] = {};
    for (int i = 0; i < kReferenceColorCount * 3; ++i) {
        const std::optional<std::string_view> field = fields.next();
        if (!field) {
            table.colors.clear();
            table.problem = tableProblem(path, "It holds " + std::to_string(i / 3) +
                                                   " colours; the optimizer needs " +
                                                   std::to_string(kReferenceColorCount) + ".");
            return table;
        }
        const std::optional<std::uint64_t> value = NumberFields::wholeValue(*field, 255);
        if (!value) {
            table.colors.clear();
            table.problem = tableProblem(path, "Line " + std::to_string(fields.line()) + ": '" +
                                                   UserText::panelText(*field) +
                                                   "' is not a whole number from 0 to 255.");
            return table;
        }
        channels[i % 3] = static_cast<std::uint8_t>(*value);
        if (i % 3 == 2)
            table.colors.push_back({channels[0], channels[1], channels[2]});
    }
    return table;
}

ReferenceTable readReferenceTable(const std::string& path) {
    const std::optional<std::string> text = readWholeFile(resolvePathIgnoringCase(path));
    if (!text) {
        ReferenceTable table;
        table.problem = tableProblem(path, "The file cannot be read.");
        return table;
    }
    return parseReferenceTable(*text, path);
}

} // namespace cockpix
