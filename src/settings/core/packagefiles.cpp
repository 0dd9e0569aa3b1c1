#include "settings/core/packagefiles.h"

#include "base/core/filelookup.h"

#include <pugixml.hpp>
#include <simdjson.h>

#include <algorithm>

namespace cockpix {

namespace {

std::string tooLarge() {
    return "larger than 1 MB";
}

// A path written on Windows ("PackageSources\html_ui\") with "/" separators, no "./" at its
// start, and one "/" at its end unless it is empty.
std::string folderPath(std::string_view written) {
    std::string path(written);
    std::replace(path.begin(), path.end(), '\\', '/');
    while (path.starts_with("./"))
        path.erase(0, 2);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

bool sameName(const char* name, std::string_view wanted) {
    return asciiLowered(name) == wanted;
}

// The text of node's first child element named name (ignoring case), trimmed of blanks.
std::string childText(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || !sameName(child.name(), name))
            continue;
        std::string text = child.text().get();
        const auto first = text.find_first_not_of(" \t\r\n");
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    }
    return {};
}

// Calls visit on every element below root, in document order, without recursion: a file
// nested a million levels deep costs no stack.
template <class Visit> void forEachElement(const pugi::xml_node& root, Visit visit) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_element)
            visit(node);
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != root && !node.next_sibling())
            node = node.parent();
        if (!node || node == root)
            return;
        node = node.next_sibling();
    }
}

std::string loadXml(pugi::xml_document& document, std::string_view bytes) {
    if (bytes.size() > kPackageFileLimit)
        return tooLarge();
    const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
    if (result)
        return {};
    return std::string(result.description()) + " at byte " + std::to_string(result.offset);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           asciiLowered(text.substr(0, start.size())) == asciiLowered(start);
}

} // namespace

std::string manifestProblem(std::string_view bytes) {
    if (bytes.size() > kPackageFileLimit)
        return tooLarge();
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (const auto error = parser.parse(bytes.data(), bytes.size()).get(root))
        return simdjson::error_message(error);
    if (root.type() != simdjson::dom::element_type::OBJECT)
        return "not a JSON object";
    return {};
}

PackageDefinition readPackageDefinition(std::string_view bytes) {
    PackageDefinition definition;
    pugi::xml_document document;
    definition.problem = loadXml(document, bytes);
    if (!definition.problem.empty())
        return definition;
    forEachElement(document, [&](const pugi::xml_node& node) {
        if (sameName(node.name(), "assetgroup"))
            definition.assetGroups.push_back({folderPath(childText(node, "assetdir")),
                                              folderPath(childText(node, "outputdir"))});
    });
    return definition;
}

std::optional<std::string> sourceFolderOf(const FolderMapping& mapping, std::string_view output) {
    const std::string wanted = folderPath(output);
    // The group copies a folder that holds the wanted one: follow it down.
    if (startsWithIgnoringCase(wanted, mapping.output))
        return mapping.source + wanted.substr(mapping.output.size());
    // The group copies a folder inside the wanted one (Instruments/MyCompany/): the source
    // folder is as deep inside the wanted one's source, when its names show it.
    if (!startsWithIgnoringCase(mapping.output, wanted))
        return std::nullopt;
    const std::string inside = mapping.output.substr(wanted.size());
    const std::string& source = mapping.source;
    if (source.size() < inside.size() ||
        asciiLowered(source.substr(source.size() - inside.size())) != asciiLowered(inside))
        return std::nullopt;
    return source.substr(0, source.size() - inside.size());
}

AddOnDeclaration readAddOnDeclaration(std::string_view bytes) {
    AddOnDeclaration declaration;
    pugi::xml_document document;
    declaration.problem = loadXml(document, bytes);
    if (!declaration.problem.empty())
        return declaration;
    forEachElement(document, [&](const pugi::xml_node& node) {
        if (sameName(node.name(), "addon.name") && declaration.name.empty())
            declaration.name = childText(node.parent(), "addon.name");
        if (!sameName(node.name(), "addon.component") ||
            asciiLowered(childText(node, "category")) != "gauges")
            return;
        if (std::string path = folderPath(childText(node, "path")); !path.empty())
            declaration.gaugePaths.push_back(std::move(path));
    });
    return declaration;
}

} // namespace cockpix
