// The fs2k panel's table: which key a typed cell changes, what it refuses, and what a
// cell shows of keys written in another case or spelling.

#include "template/core/fs2k/windowtable.h"

#include <gtest/gtest.h>
#include <tuple>

namespace cockpix {
namespace {

const char* const kText = "[Window Titles]\r\nWindow02=Radios\r\n\r\n"
                          "[Window02]\r\nBACKGROUND_COLOR=0,0,0\r\nSize_MM=180, 300\r\n"
                          "windowsize_ratio=0.5\r\n\r\n"
                          "[Vcockpit01]\r\nfile=vc.bmp\r\nsize_mm=512\r\n";

struct Table {
    fs2k::PanelLines lines{kText};
    fs2k::Panel panel = fs2k::readPanel(lines);
    const fs2k::Window& radios() const { return panel.windows.at(0); }
    const fs2k::Window& cockpit() const { return panel.windows.at(1); }
};

TEST(Fs2kTable, CellsShowTheKeysWhateverTheirSpelling) {
    const Table t;
    EXPECT_EQ(fs2k::cellText(t.panel, t.radios(), fs2k::Column::Bitmap), "0,0,0");
    EXPECT_EQ(fs2k::cellText(t.panel, t.radios(), fs2k::Column::SizeH), "300");
    EXPECT_EQ(fs2k::cellText(t.panel, t.radios(), fs2k::Column::Ratio), "0.5");
    EXPECT_EQ(fs2k::cellText(t.panel, t.cockpit(), fs2k::Column::Title), "");
    EXPECT_EQ(fs2k::cellText(t.panel, t.cockpit(), fs2k::Column::SizeH), "");
}

// A cell shows what FS reads, up to a comment, and can be typed into; a virtual cockpit's
// bitmap cell is its texture.
TEST(Fs2kTable, CellsShowValuesWithoutCommentsAndTheTextureOfAVirtualCockpit) {
    const fs2k::PanelLines lines("[Window00]\nsize_mm=847,860 ; Adding padding\n"
                                 "window_size= 0.184, 0.485 ///window_size= 0.290, 0.750\n"
                                 "[VCockpit01]\ntexture=$PFD\n[VCockpit02]\nfile=vc.bmp\n");
    const fs2k::Panel panel = fs2k::readPanel(lines);
    const fs2k::Window& main = panel.windows.at(0);
    EXPECT_EQ(fs2k::cellText(panel, main, fs2k::Column::SizeH), "860");
    EXPECT_EQ(fs2k::cellText(panel, main, fs2k::Column::WindowSize), "0.184, 0.485");
    const fs2k::CellEdit size = fs2k::cellEdit(main, fs2k::Column::SizeH, "870");
    EXPECT_EQ(size.kind, fs2k::CellEdit::Kind::SetKey);
    EXPECT_EQ(size.value, "847,870");
    EXPECT_EQ(fs2k::cellEdit(main, fs2k::Column::WindowSize, "0.184, 0.5").kind,
              fs2k::CellEdit::Kind::SetKey);

    EXPECT_EQ(fs2k::cellText(panel, panel.windows.at(1), fs2k::Column::Bitmap), "$PFD");
    EXPECT_EQ(fs2k::cellEdit(panel.windows.at(1), fs2k::Column::Bitmap, "$MFD").key, "texture");
    EXPECT_EQ(fs2k::cellText(panel, panel.windows.at(2), fs2k::Column::Bitmap), "vc.bmp");
}

TEST(Fs2kTable, TypedCellsChangeTheirKeyOrAreRefused) {
    const Table t;
    using Kind = fs2k::CellEdit::Kind;
    const auto edit = [&](const fs2k::Window& w, fs2k::Column c, const char* text) {
        return fs2k::cellEdit(w, c, text);
    };
    // A window without a bitmap keeps its colour in the bitmap column.
    fs2k::CellEdit e = edit(t.radios(), fs2k::Column::Bitmap, "10,20,30");
    EXPECT_EQ(e.kind, Kind::SetKey);
    EXPECT_EQ(e.key, "Background_color");
    // Each half of the size keeps the other.
    e = edit(t.radios(), fs2k::Column::SizeW, " 200 ");
    EXPECT_EQ(e.value, "200,300");
    e = edit(t.radios(), fs2k::Column::SizeH, "");
    EXPECT_EQ(e.value, "180");
    e = edit(t.cockpit(), fs2k::Column::SizeH, "256");
    EXPECT_EQ(e.value, "512,256");
    EXPECT_EQ(edit(t.radios(), fs2k::Column::SizeW, "").kind, Kind::RemoveKey);
    EXPECT_EQ(edit(t.radios(), fs2k::Column::Ident, "").kind, Kind::RemoveKey);
    e = edit(t.radios(), fs2k::Column::WindowPos, "0.25, 0.5");
    EXPECT_EQ(e.kind, Kind::SetKey);
    EXPECT_EQ(e.value, "0.25, 0.5");

    for (const auto& [column, text, message] :
         {std::tuple{fs2k::Column::SizeW, "0", "Incorrect value."},
          {fs2k::Column::SizeH, "abc", "Incorrect value."},
          {fs2k::Column::Ratio, "half", "Incorrect value."},
          {fs2k::Column::Ratio, "-1", "Incorrect value."},
          {fs2k::Column::Position, "9", "Out of bound."},
          {fs2k::Column::Position, "2.5", "Out of bound."},
          {fs2k::Column::Visible, "yes", "Incorrect value."},
          {fs2k::Column::WindowSize, "0.5,0.5,0.5", "Incorrect value."},
          {fs2k::Column::WindowPos, "0.5,", "Incorrect value."},
          {fs2k::Column::WindowPos, "1e-1,0.5", "Incorrect value."},
          {fs2k::Column::SizeW, "99999999999999", "Size w must be a number from 0 to 32767."},
          {fs2k::Column::SizeH, "1e3",
           "Size h must be written as FS reads it: digits (at most 15) with at most one "
           "point, and no exponent."},
          {fs2k::Column::Ratio, "5e-1",
           "Size ratio must be written as FS reads it: digits (at most 15) with at most one "
           "point, and no exponent."}}) {
        e = edit(t.radios(), column, text);
        EXPECT_EQ(e.kind, Kind::Refuse) << text;
        EXPECT_EQ(e.message, message) << text;
    }
    EXPECT_EQ(edit(t.cockpit(), fs2k::Column::Title, "VC").kind, Kind::Refuse);
}

// MSFS sections show their texture, pixel size, background colour and how many gauge lines of
// every kind they hold; the pixel size and colour are typed as whole numbers, the count not.
TEST(Fs2kTable, MsfsSectionsShowTheirTextureAndInstruments) {
    const fs2k::PanelLines lines("[VCockpit01]\nsize_mm=1024,768\npixel_size=1024,768\n"
                                 "texture=$PFD\nbackground_color=0,0,10 // dark\n"
                                 "htmlgauge00=A/PFD.html?Index=1,0,0,512,768\n"
                                 "gauge00=x!y,0,0,1,1\nhtmlgauge02=A/B.html\n"
                                 "[VPainting01]\ntexture=$Reg\npainting00=R/R.html?c=1, 0,0,0,0\n");
    const fs2k::Panel panel = fs2k::readPanel(lines);
    const fs2k::Window& cockpit = panel.windows.at(0);
    const fs2k::Window& painting = panel.windows.at(1);
    EXPECT_EQ(fs2k::cellText(panel, cockpit, fs2k::Column::Bitmap), "$PFD");
    EXPECT_EQ(fs2k::cellText(panel, cockpit, fs2k::Column::PixelSize), "1024,768");
    EXPECT_EQ(fs2k::cellText(panel, cockpit, fs2k::Column::BackgroundColor), "0,0,10");
    EXPECT_EQ(fs2k::cellText(panel, cockpit, fs2k::Column::Instruments), "3");
    EXPECT_EQ(fs2k::cellText(panel, painting, fs2k::Column::Bitmap), "$Reg");
    EXPECT_EQ(fs2k::cellText(panel, painting, fs2k::Column::Instruments), "1");
    EXPECT_FALSE(fs2k::isEditable(painting, fs2k::Column::Title));
    EXPECT_FALSE(fs2k::isEditable(cockpit, fs2k::Column::Instruments));
    EXPECT_TRUE(fs2k::isEditable(painting, fs2k::Column::PixelSize));

    using Kind = fs2k::CellEdit::Kind;
    for (const auto& [window, column, text, kind, key] :
         {std::tuple{&painting, fs2k::Column::Bitmap, "$Reg2", Kind::SetKey, "texture"},
          {&cockpit, fs2k::Column::PixelSize, "2048, 1024", Kind::SetKey, "pixel_size"},
          {&cockpit, fs2k::Column::PixelSize, "2048", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::PixelSize, "0,10", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::PixelSize, "1.5,2", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::PixelSize, "10,10,", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::BackgroundColor, "255, 128,0", Kind::SetKey, "background_color"},
          {&cockpit, fs2k::Column::BackgroundColor, "256,0,0", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::BackgroundColor, "1,2", Kind::Refuse, ""},
          {&cockpit, fs2k::Column::BackgroundColor, "", Kind::RemoveKey, "background_color"},
          {&cockpit, fs2k::Column::Instruments, "9", Kind::None, ""}}) {
        const fs2k::CellEdit edit = fs2k::cellEdit(*window, column, text);
        EXPECT_EQ(edit.kind, kind) << text;
        EXPECT_EQ(edit.key, key) << text;
    }
}

} // namespace
} // namespace cockpix
