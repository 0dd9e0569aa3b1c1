// The later panel's table: which key a typed cell changes, what it refuses, and what a
// cell shows of keys written in another case or spelling.

#include "template/core/latertable.h"

#include <gtest/gtest.h>
#include <tuple>

namespace cockpix {
namespace {

const char* const kText = "[Window Titles]\r\nWindow02=Radios\r\n\r\n"
                          "[Window02]\r\nBACKGROUND_COLOR=0,0,0\r\nSize_MM=180, 300\r\n"
                          "windowsize_ratio=0.5\r\n\r\n"
                          "[Vcockpit01]\r\nfile=vc.bmp\r\nsize_mm=512\r\n";

struct Table {
    PanelLines lines{kText};
    LaterPanel panel = readLaterPanel(lines);
    const LaterWindow& radios() const { return panel.windows.at(0); }
    const LaterWindow& cockpit() const { return panel.windows.at(1); }
};

TEST(LaterTable, CellsShowTheKeysWhateverTheirSpelling) {
    const Table t;
    EXPECT_EQ(laterCellText(t.panel, t.radios(), LaterColumn::Bitmap), "0,0,0");
    EXPECT_EQ(laterCellText(t.panel, t.radios(), LaterColumn::SizeH), "300");
    EXPECT_EQ(laterCellText(t.panel, t.radios(), LaterColumn::Ratio), "0.5");
    EXPECT_EQ(laterCellText(t.panel, t.cockpit(), LaterColumn::Title), "");
    EXPECT_EQ(laterCellText(t.panel, t.cockpit(), LaterColumn::SizeH), "");
}

// A cell shows what FS reads, up to a comment, and can be typed into; a virtual cockpit's
// bitmap cell is its texture.
TEST(LaterTable, CellsShowValuesWithoutCommentsAndTheTextureOfAVirtualCockpit) {
    const PanelLines lines("[Window00]\nsize_mm=847,860 ; Adding padding\n"
                           "window_size= 0.184, 0.485 ///window_size= 0.290, 0.750\n"
                           "[VCockpit01]\ntexture=$PFD\n[VCockpit02]\nfile=vc.bmp\n");
    const LaterPanel panel = readLaterPanel(lines);
    const LaterWindow& main = panel.windows.at(0);
    EXPECT_EQ(laterCellText(panel, main, LaterColumn::SizeH), "860");
    EXPECT_EQ(laterCellText(panel, main, LaterColumn::WindowSize), "0.184, 0.485");
    const LaterCellEdit size = laterCellEdit(main, LaterColumn::SizeH, "870");
    EXPECT_EQ(size.kind, LaterCellEdit::Kind::SetKey);
    EXPECT_EQ(size.value, "847,870");
    EXPECT_EQ(laterCellEdit(main, LaterColumn::WindowSize, "0.184, 0.5").kind,
              LaterCellEdit::Kind::SetKey);

    EXPECT_EQ(laterCellText(panel, panel.windows.at(1), LaterColumn::Bitmap), "$PFD");
    EXPECT_EQ(laterCellEdit(panel.windows.at(1), LaterColumn::Bitmap, "$MFD").key, "texture");
    EXPECT_EQ(laterCellText(panel, panel.windows.at(2), LaterColumn::Bitmap), "vc.bmp");
}

TEST(LaterTable, TypedCellsChangeTheirKeyOrAreRefused) {
    const Table t;
    using Kind = LaterCellEdit::Kind;
    const auto edit = [&](const LaterWindow& w, LaterColumn c, const char* text) {
        return laterCellEdit(w, c, text);
    };
    // A window without a bitmap keeps its colour in the bitmap column.
    LaterCellEdit e = edit(t.radios(), LaterColumn::Bitmap, "10,20,30");
    EXPECT_EQ(e.kind, Kind::SetKey);
    EXPECT_EQ(e.key, "Background_color");
    // Each half of the size keeps the other.
    e = edit(t.radios(), LaterColumn::SizeW, " 200 ");
    EXPECT_EQ(e.value, "200,300");
    e = edit(t.radios(), LaterColumn::SizeH, "");
    EXPECT_EQ(e.value, "180");
    e = edit(t.cockpit(), LaterColumn::SizeH, "256");
    EXPECT_EQ(e.value, "512,256");
    EXPECT_EQ(edit(t.radios(), LaterColumn::SizeW, "").kind, Kind::RemoveKey);
    EXPECT_EQ(edit(t.radios(), LaterColumn::Ident, "").kind, Kind::RemoveKey);
    e = edit(t.radios(), LaterColumn::WindowPos, "0.25, 0.5");
    EXPECT_EQ(e.kind, Kind::SetKey);
    EXPECT_EQ(e.value, "0.25, 0.5");

    for (const auto& [column, text, message] :
         {std::tuple{LaterColumn::SizeW, "0", "Incorrect value."},
          {LaterColumn::SizeH, "abc", "Incorrect value."},
          {LaterColumn::Ratio, "half", "Incorrect value."},
          {LaterColumn::Ratio, "-1", "Incorrect value."},
          {LaterColumn::Position, "9", "Out of bound."},
          {LaterColumn::Position, "2.5", "Out of bound."},
          {LaterColumn::Visible, "yes", "Incorrect value."},
          {LaterColumn::WindowSize, "0.5,0.5,0.5", "Incorrect value."},
          {LaterColumn::WindowPos, "0.5,", "Incorrect value."},
          {LaterColumn::WindowPos, "1e-1,0.5", "Incorrect value."},
          {LaterColumn::SizeW, "99999999999999", "Size w must be a number from 0 to 32767."},
          {LaterColumn::SizeH, "1e3",
           "Size h must be written as FS reads it: digits (at most 15) with at most one "
           "point, and no exponent."},
          {LaterColumn::Ratio, "5e-1",
           "Size ratio must be written as FS reads it: digits (at most 15) with at most one "
           "point, and no exponent."}}) {
        e = edit(t.radios(), column, text);
        EXPECT_EQ(e.kind, Kind::Refuse) << text;
        EXPECT_EQ(e.message, message) << text;
    }
    EXPECT_EQ(edit(t.cockpit(), LaterColumn::Title, "VC").kind, Kind::Refuse);
}

} // namespace
} // namespace cockpix
