#include "template/core/fs2k/texturechecks.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"

#include <algorithm>
#include <string_view>

namespace cockpix::fs2k {
namespace {

int lineOf(std::size_t line) {
    return static_cast<int>(line + 1);
}

// The names of a texture= value, NO_TEXTURE left out.
std::vector<std::string_view> textureNames(std::string_view value) {
    std::vector<std::string_view> names;
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        const std::string_view name = trimmedBlanks(value.substr(0, comma));
        if (!name.empty() && !equalsIgnoringCase(name, "NO_TEXTURE"))
            names.push_back(name);
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
    return names;
}

const Key* textureKey(const Window& window) {
    if (window.kind == WindowKind::Window)
        return nullptr;
    const Key* key = window.find("texture");
    return key != nullptr && !textureNames(key->value).empty() ? key : nullptr;
}

// "model/interior.xml: 12 materials, model/exterior.xml: 1 material"
std::string modelsRead(const AircraftMaterials& models) {
    std::string text;
    for (const ModelRead& model : models.read) {
        if (!text.empty())
            text += ", ";
        text += model.name + ": " + std::to_string(model.materials) +
                (model.materials == 1 ? " material" : " materials");
    }
    return text;
}

// The folder above panelDir, ending with "/".
std::string aircraftFolder(std::string panelDir) {
    while (!panelDir.empty() && panelDir.back() == '/')
        panelDir.pop_back();
    const std::size_t slash = panelDir.rfind('/');
    return slash == std::string::npos ? std::string("./") : panelDir.substr(0, slash + 1);
}

} // namespace

void checkTextures(const Panel& panel, const std::string& panelDir,
                   const Installation* installation, CheckFacts& facts, TextEncoding encoding,
                   std::vector<Finding>& findings) {
    const bool msfs =
        installation != nullptr && (installation->simulator == Simulator::MsfsPackage ||
                                    installation->simulator == Simulator::MsfsProject);
    if (!msfs || std::none_of(panel.windows.begin(), panel.windows.end(),
                              [](const Window& w) { return textureKey(w) != nullptr; }))
        return;
    const AircraftMaterials models =
        facts.modelMaterials().read(aircraftFolder(panelDir), facts.folders(), facts.smallFiles());
    const char* notChecked = ": the textures were not checked against the models' materials";
    for (const std::string& problem : models.problems)
        findings.push_back(makeFinding(0, Severity::Note, "model-unreadable",
                                       UserText::path(problem) + notChecked));
    if (!models.modelsFound)
        findings.push_back(makeFinding(
            0, Severity::Note, "no-models",
            UserText("no model of the aircraft was found (a model.cfg in its model folder "
                     "naming model XML files)") +
                notChecked));
    if (!models.problems.empty() || !models.modelsFound)
        return;
    for (std::size_t w = 0; w < panel.windows.size(); ++w) {
        const Key* key = textureKey(panel.windows[w]);
        if (key == nullptr)
            continue;
        for (const std::string_view name : textureNames(key->value)) {
            if (models.holds(name))
                continue;
            findings.push_back(makeFinding(
                lineOf(key->line), Severity::Error, "texture-not-material",
                "the texture '" + UserText::panelText(name, encoding) +
                    "' names no material of the models read (" +
                    UserText::path(modelsRead(models)) + "): MSFS shows the instruments of [" +
                    UserText::panelText(panel.windows[w].header, encoding) + "] on nothing",
                static_cast<int>(w)));
        }
    }
}

} // namespace cockpix::fs2k
