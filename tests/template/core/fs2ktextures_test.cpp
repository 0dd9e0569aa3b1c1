// The textures of an MSFS panel's virtual cockpits and paintings, checked against the material
// names of its aircraft's models, in a package made for each test.

#include "template/core/filecheck.h"

#include "base/core/scratchdir.h"
#include "template/core/fs2kfixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace cockpix {
namespace {

std::string gltf(const std::string& materials) {
    return R"({"asset":{"version":"2.0"},"materials":[)" + materials + R"(],"meshes":[]})";
}

class MsfsTextures : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        touch("test-jet/manifest.json", R"({"title":"Test jet"})");
        touch(jet + "aircraft.cfg", "[FLTSIM.0]\nmodel=\"\"\n[FLTSIM.1]\nmodel=Night\n");
        touch(jet + "model/model.cfg", "[models]\nnormal=Jet.xml\ninterior=Jet_Interior.xml\n");
        touch(jet + "model/Jet.xml", "<ModelInfo><LODS><LOD ModelFile=\"Jet.gltf\"/></LODS>"
                                     "</ModelInfo>");
        touch(jet + "model/Jet.gltf", gltf(R"({"name":"$Registration"},{"name":"Paint"})"));
        touch(jet + "model/Jet_Interior.xml",
              "<ModelInfo><LODS><LOD ModelFile=\"Interior.gltf\"/><LOD ModelFile=\"Interior_"
              "LOD1.gltf\"/></LODS></ModelInfo>");
        touch(jet + "model/Interior.gltf", gltf(R"({"name":"$PFD"},{"name":"FMC3"})"));
        touch(jet + "model/Interior_LOD1.gltf", gltf(R"({"name":"$PFD"},{"name":"Glass"})"));
        touch(jet + "model.Night/model.cfg", "[models]\nnormal=Night.xml\n");
        touch(jet + "model.Night/Night.xml", "<ModelInfo><LOD ModelFile=\"Night.gltf\"/>"
                                             "</ModelInfo>");
        touch(jet + "model.Night/Night.gltf", gltf(R"({"name":"$Night_Clock"})"));
        touch(jet + "panel/panel.cfg", test::fs2kCheckPanel("msfs_textures.cfg"));
    }

    // The findings of the texture check, as check prints them.
    std::string check(const std::string& aircraft = {}) {
        CheckFacts facts;
        std::string text;
        const std::string panel = at((aircraft.empty() ? jet : aircraft) + "panel/panel.cfg");
        for (const Finding& finding : checkPanelFile(panel, {}, facts).findings) {
            if (finding.code.starts_with("texture-not-material") ||
                finding.code.starts_with("model") || finding.code == "no-models")
                text += findingText(UserText::path("panel.cfg"), finding).toUtf8() + "\n";
        }
        return text;
    }

    const std::string jet = "test-jet/SimObjects/Airplanes/Jet/";
};

TEST_F(MsfsTextures, EachNameThatIsNoMaterialIsAnErrorOnItsLine) {
    EXPECT_EQ(check(), test::fs2kCheckPanel("msfs_textures.expect"));
}

// A livery has no model of its own: MSFS draws it with its base container's.
TEST_F(MsfsTextures, ALiveryIsDrawnOnItsBaseContainersModels) {
    const std::string livery = "test-jet/SimObjects/Airplanes/Jet-Red/";
    touch(livery + "aircraft.cfg",
          "[VARIATION]\nbase_container=\"..\\JET\"\n[FLTSIM.0]\nmodel=\"\"\n");
    touch(livery + "panel/panel.cfg", "[VCockpit01]\nsize_mm=64,64\ntexture=$PFD\n"
                                      "[VCockpit02]\nsize_mm=64,64\ntexture=$Night_Clock\n");
    // model.Night is no model of this livery.
    EXPECT_EQ(check(livery),
              "panel.cfg:6: error: the texture '$Night_Clock' names no material of the models "
              "read (Jet/model/Jet.xml: 2 materials, Jet/model/Jet_Interior.xml: 3 materials): "
              "MSFS shows the instruments of [VCockpit02] on nothing [texture-not-material]\n");
}

// Models that are not there or cannot be read: a note, and no texture is called wrong.
TEST_F(MsfsTextures, ModelsNotFoundOrUnreadableGiveNotesAlone) {
    const struct {
        const char* what;
        std::string file;
        std::string bytes;
        const char* code;
    } cases[] = {
        {"a glTF that is not JSON", "model/Jet.gltf", "solid jet\n", "model-unreadable"},
        {"a glTF cut short", "model/Jet.gltf", gltf("").substr(0, 30), "model-unreadable"},
        {"a broken model XML", "model/Jet.xml", "<ModelInfo><LOD ModelFile=", "model-unreadable"},
        {"a model XML naming itself", "model/Jet.xml", "<LOD ModelFile=\"jet.XML\"/>",
         "model-unreadable"},
        {"a model.cfg naming itself", "model/model.cfg", "[models]\nnormal=model.cfg\n",
         "model-unreadable"},
        {"a model.cfg naming no XML", "model/model.cfg", "[models]\n", "no-models"},
    };
    for (const auto& c : cases) {
        SetUp();
        touch(jet + "model.Night/model.cfg", "");
        touch(jet + c.file, c.bytes);
        const std::string found = check();
        EXPECT_NE(found.find(std::string("note: ")), std::string::npos) << c.what << found;
        EXPECT_NE(found.find(std::string("[") + c.code + "]"), std::string::npos) << c.what;
        EXPECT_EQ(found.find("error"), std::string::npos) << c.what << found;
    }
    // A pipe with a model file's name is not waited on: opening it would wait for a writer.
    for (const char* file :
         {"model/Jet.gltf", "model/Jet.xml", "model/model.cfg", "aircraft.cfg"}) {
        SetUp();
        std::filesystem::remove(at(jet + file));
        ASSERT_EQ(::mkfifo(at(jet + file).c_str(), 0600), 0);
        const std::string found = check();
        EXPECT_EQ(found.find("error"), std::string::npos) << file << found;
    }
    SetUp();
    std::filesystem::remove_all(at(jet + "model"));
    std::filesystem::remove_all(at(jet + "model.Night"));
    EXPECT_EQ(check(), "panel.cfg: note: no model of the aircraft was found (a model.cfg in its "
                       "model folder naming model XML files): the textures were not checked "
                       "against the models' materials [no-models]\n");
}

} // namespace
} // namespace cockpix
