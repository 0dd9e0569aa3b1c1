#include "app/core/droppedpanel.h"

#include "base/core/scratchdir.h"

namespace cockpix {
namespace {

using DroppedPanelTest = ScratchDirTest;

TEST_F(DroppedPanelTest, FilesAsTheOpenDialogTakesThemAndFoldersByTheirPanel) {
    touch("c182/panel/panel.cfg");
    touch("c182/aircraft.cfg");
    touch("Learjet/PANEL/Panel.CFG");
    touch("c182/panel/panel_main.bmp");
    touch("notes/readme.txt");
    const struct {
        std::string dropped;
        std::optional<std::string> opened;
    } rows[] = {
        {"c182/panel/panel.cfg", "c182/panel/panel.cfg"},
        {"c182/aircraft.cfg", "c182/aircraft.cfg"}, // any .cfg, as the Open dialog shows it
        {"Learjet/PANEL/Panel.CFG", "Learjet/PANEL/Panel.CFG"},
        {"c182/panel", "c182/panel/panel.cfg"},
        {"c182/panel/", "c182/panel/panel.cfg"},
        {"c182", "c182/panel/panel.cfg"}, // the aircraft folder
        {"Learjet", "Learjet/PANEL/Panel.CFG"},
        {"Learjet/PANEL", "Learjet/PANEL/Panel.CFG"},
        {"c182/panel/panel_main.bmp", std::nullopt},
        {"notes", std::nullopt},
        {"notes/readme.txt", std::nullopt},
        {"nowhere/panel.cfg", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dropped);
        const auto opened = droppedPanelFile(at(row.dropped));
        EXPECT_EQ(opened, row.opened ? std::optional<std::string>(at(*row.opened)) : std::nullopt);
    }
    // A folder called panel.cfg is not a panel.
    std::filesystem::create_directories(at("odd/panel.cfg"));
    EXPECT_EQ(droppedPanelFile(at("odd")), std::nullopt);
}

} // namespace
} // namespace cockpix
