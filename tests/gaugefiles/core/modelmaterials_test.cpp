// The material names of MSFS models: glTF and .glb read for their top-level materials list
// alone, model XMLs, model.cfg and aircraft.cfg's model folders.

#include "gaugefiles/core/fs2k/modelmaterials.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cockpix::fs2k {
namespace {

using Names = std::vector<std::string>;

// A binary glTF holding json as its JSON chunk, then a BIN chunk.
std::string glb(const std::string& json, std::uint32_t declared = 0) {
    const auto word = [](std::uint32_t value) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>(value >> (8 * i));
        return bytes;
    };
    const std::string bin = word(4) + "BIN" + std::string(1, '\0') + "\x01\x02\x03\x04";
    return "glTF" + word(2) + word(static_cast<std::uint32_t>(20 + json.size() + bin.size())) +
           word(declared ? declared : static_cast<std::uint32_t>(json.size())) + "JSON" + json +
           bin;
}

std::string numbers(std::size_t count) {
    std::string text = "[";
    for (std::size_t i = 0; i < count; ++i)
        text += (i ? "," : "") + std::to_string(i % 1000) + ".5";
    return text + "]";
}

struct GltfCase {
    const char* what;
    std::string bytes;
    Names names;
    bool problem = false;
};

TEST(GltfMaterials, TopLevelNamesAreReadOrAProblemSaid) {
    std::string many = "{\"materials\":[";
    Names manyNames;
    for (int i = 0; i < 5000; ++i) { // a list longer than the first part looked at
        manyNames.push_back("Screen_" + std::to_string(i));
        many += std::string(i ? "," : "") + "{\"name\":\"" + manyNames.back() + "\"}";
    }
    many += "]}";
    const GltfCase cases[] = {
        {"names in order, escapes read, unnamed left out",
         R"({"asset":{"version":"2.0"},"materials":[{"name":"$PFD"},{"pbrMetallicRoughness":{}},)"
         R"({"name":"\u0024MFD","extras":{"name":7}}, {"name":"FMC3"}]})",
         {"$PFD", "$MFD", "FMC3"}},
        {"after a huge array of numbers",
         "{\"accessors\":[{\"max\":" + numbers(200000) +
             "}],\n\"materials\" : [ {\"name\":\"Glass\"} ] }\n",
         {"Glass"}},
        {"a nested list of the same name is not the model's",
         R"({"extras":{"materials":[{"name":"Nested"}]},"materials":[{"name":"Top"}],)"
         R"("meshes":[{"name":"materials"}],"note":"\"materials\":[]"})",
         {"Top"}},
        {"no materials at all", R"({"asset":{"version":"2.0"}})", {}},
        {"the JSON chunk of a .glb", glb(R"({"materials":[{"name":"$Screen"}]})"), {"$Screen"}},
        {"a long list", many, manyNames},
        {"not JSON", "solid cube\nfacet normal 0 0 1\n", {}, true},
        {"empty", "", {}, true},
        {"cut short", "{\"materials\":[{\"name\":\"A\"},{\"na", {}, true},
        {"cut short after the list", "{\"materials\":[{\"name\":\"A\"}],\"meshes\":[", {}, true},
        {"materials not a list", R"({"materials":{"name":"A"}})", {}, true},
        {"a material not an object", R"({"materials":[7]})", {}, true},
        {"a .glb without its JSON chunk", "glTF\x02\0\0\0", {}, true},
        {"a .glb chunk longer than the file", glb(R"({"materials":[]})", 100000), {}, true},
    };
    for (const GltfCase& c : cases) {
        const MaterialNames read = readGltfMaterials(c.bytes);
        EXPECT_EQ(read.names, c.names) << c.what;
        EXPECT_EQ(!read.problem.empty(), c.problem) << c.what << ": " << read.problem;
    }
}

TEST(ModelFiles, ModelXmlAircraftCfgAndModelCfgNameTheirFiles) {
    const ModelXml xml = readModelXml(
        "<?xml version=\"1.0\"?><ModelInfo><LODS><LOD minSize=\"50\" ModelFile=\"A_LOD0.gltf\"/>"
        "<Group><lod modelfile=\" B.glb \"/></Group><LOD/></LODS></ModelInfo>");
    EXPECT_EQ(xml.modelFiles, (Names{"A_LOD0.gltf", "B.glb"}));
    EXPECT_FALSE(readModelXml("<ModelInfo><LODS>").problem.empty());

    EXPECT_EQ(modelConfigFiles("[models]\r\nnormal=Jet.xml ; exterior\r\ninterior=\"Jet_"
                               "Interior.xml\"\r\n[other]\r\nnormal=Not.xml\r\n"),
              (Names{"Jet.xml", "Jet_Interior.xml"}));
    EXPECT_EQ(modelFolderNames("[VERSION]\nmajor=1\n[FLTSIM.0]\nmodel=\"\"\n[fltsim.1]\n"
                               "model=Night\n[FLTSIM.2]\ntitle=x\n[FLTSIM.3]\nmodel=NIGHT\n"),
              (Names{"model", "model.Night"}));
    EXPECT_EQ(modelFolderNames(""), (Names{"model"}));
}

} // namespace
} // namespace cockpix::fs2k
