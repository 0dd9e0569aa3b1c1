#include "template/core/windowtable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace cockpix {
namespace {

// A model and table as after New, with helpers that type a whole row the way the template
// window feeds it: every text change goes through the table, and a requested clearing runs
// the handler again with empty text.
class WindowTableTest : public ::testing::Test {
protected:
    WindowTableTest() : table(model) { model.clearModel(); }

    // Types into a box and, as the window does, empties it when asked; returns the message.
    template <typename Handler> std::string type(Handler handler, std::string_view text) {
        const EditOutcome outcome = handler(text);
        if (outcome.clearBox) {
            const EditOutcome again = handler("");
            EXPECT_FALSE(again.clearBox);
            EXPECT_EQ(again.message, "");
        }
        return outcome.message;
    }
    std::string typeTitle(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.titleChanged(row, t); }, text);
    }
    std::string typeBitmap(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.bitmapChanged(row, t); }, text);
    }
    std::string typeSize(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.sizeChanged(row, t); }, text);
    }
    std::string typeRatio(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.ratioChanged(row, t); }, text);
    }
    std::string typePosition(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.positionChanged(row, t); }, text);
    }
    std::string typeIdent(int row, std::string_view text) {
        return type([&](std::string_view t) { return table.identChanged(row, t); }, text);
    }
    std::string typeView(DefaultViewField field, std::string_view text) {
        return type([&](std::string_view t) { return table.defaultViewChanged(field, t); }, text);
    }
    void fillRows(int count) {
        for (int row = 0; row < count; ++row) {
            typeTitle(row, "Window " + std::to_string(row));
            typeBitmap(row, "bg" + std::to_string(row));
        }
        ASSERT_EQ(model.windowCount, count);
    }

    PanelModel model;
    WindowTable table;
};

TEST_F(WindowTableTest, RowJoinsOnlyWhenTitleAndBitmapAreBothFilled) {
    fillRows(2);
    EXPECT_EQ(typeTitle(2, "Radios"), "");
    EXPECT_EQ(model.window(2).windowTitle, "Radios");
    EXPECT_EQ(model.windowCount, 2);
    EXPECT_EQ(typeBitmap(2, "radio"), "");
    EXPECT_EQ(model.windowCount, 3);

    // Bitmap first, then title, works the same way.
    EXPECT_EQ(typeBitmap(3, "gps"), "");
    EXPECT_EQ(model.windowCount, 3);
    typeTitle(3, "G");
    EXPECT_EQ(model.windowCount, 4);
    // Further keystrokes in a counted row change nothing in the count.
    typeTitle(3, "GP");
    EXPECT_EQ(model.windowCount, 4);
}

TEST_F(WindowTableTest, RowBeyondTheFirstFreeOneIsRefused) {
    fillRows(2);
    EXPECT_EQ(typeTitle(3, "Overhead"), "List must be continuous.");
    EXPECT_EQ(model.window(3).windowTitle, "");
    EXPECT_EQ(typeBitmap(3, "ovh"), "List must be continuous.");
    EXPECT_EQ(model.window(3).windowBitmap, "");
    EXPECT_EQ(typeSize(8, "640"), "List must be continuous.");
    EXPECT_EQ(model.window(8).windowSizeMm, 0);
    EXPECT_EQ(typePosition(4, "3"), "List must be continuous.");
    EXPECT_EQ(model.window(4).windowPosition, 0);
    EXPECT_EQ(typeIdent(4, "7"), "List must be continuous.");
    EXPECT_EQ(model.windowCount, 2);
    // The first free row takes every field.
    EXPECT_EQ(typeSize(2, "640"), "");
    EXPECT_EQ(model.window(2).windowSizeMm, 640);
}

TEST_F(WindowTableTest, RefusedRatioEndsAtOneWhileHandEmptiedRatioIsZero) {
    fillRows(1);
    model.window(5).windowSizeRatio = 0.3;
    EXPECT_EQ(typeRatio(5, ".5"), "List must be continuous.");
    EXPECT_EQ(model.window(5).windowSizeRatio, 1);

    EXPECT_EQ(typeRatio(0, "0.75"), "");
    EXPECT_EQ(model.window(0).windowSizeRatio, 0.75);
    EXPECT_EQ(typeRatio(0, "-2"), "Incorrect value.");
    EXPECT_EQ(model.window(0).windowSizeRatio, 1);
    // The keep-the-1 exception is for that one emptying only.
    typeRatio(0, "2.5");
    EXPECT_EQ(model.window(0).windowSizeRatio, 2.5);
    typeRatio(0, "");
    EXPECT_EQ(model.window(0).windowSizeRatio, 0);
}

TEST_F(WindowTableTest, EmptyingTheLastRowShrinksTheCountOtherRowsDoNot) {
    fillRows(3);
    typeTitle(0, "");
    EXPECT_EQ(model.windowCount, 3);
    EXPECT_EQ(model.window(0).windowTitle, "");
    typeTitle(2, "");
    EXPECT_EQ(model.windowCount, 2);
    EXPECT_EQ(model.window(2).windowBitmap, "bg2"); // the other field stays
    // Emptying the bitmap of the new last row shrinks once more.
    typeBitmap(1, "");
    EXPECT_EQ(model.windowCount, 1);
    // Re-filling the title of row 1 while its bitmap box is empty does not grow the count.
    typeTitle(1, "again");
    EXPECT_EQ(model.windowCount, 1);
    typeBitmap(1, "b");
    EXPECT_EQ(model.windowCount, 2);
}

TEST_F(WindowTableTest, CountNeverPassesNineAndNeverGoesBelowZero) {
    fillRows(9);
    typeTitle(8, "renamed");
    EXPECT_EQ(model.windowCount, 9);
    for (int row = 8; row >= 0; --row)
        typeBitmap(row, "");
    EXPECT_EQ(model.windowCount, 0);
    typeTitle(0, "");
    EXPECT_EQ(model.windowCount, 0);
}

TEST_F(WindowTableTest, ForgottenBoxesCountAsEmpty) {
    typeBitmap(0, "bg");
    table.forgetBoxes();
    typeTitle(0, "T");
    EXPECT_EQ(model.windowCount, 0);
}

TEST_F(WindowTableTest, BitmapLosesOneFinalPointOnly) {
    fillRows(1);
    typeBitmap(0, "panel.");
    EXPECT_EQ(model.window(0).windowBitmap, "panel");
    typeBitmap(0, "panel..");
    EXPECT_EQ(model.window(0).windowBitmap, "panel.");
    typeBitmap(0, "panel.bmp");
    EXPECT_EQ(model.window(0).windowBitmap, "panel.bmp");
    // A box holding "." stores no name but still counts as filled for the count rule.
    typeBitmap(1, ".");
    EXPECT_EQ(model.window(1).windowBitmap, "");
    typeTitle(1, "x");
    EXPECT_EQ(model.windowCount, 2);
}

TEST_F(WindowTableTest, SizeTakesTheWholePartAndRefusesNegatives) {
    fillRows(1);
    typeSize(0, "640.9");
    EXPECT_EQ(model.window(0).windowSizeMm, 640);
    typeSize(0, "-0.5"); // whole part 0, not negative
    EXPECT_EQ(model.window(0).windowSizeMm, 0);
    EXPECT_FALSE(std::signbit(model.window(0).windowSizeMm));
    EXPECT_EQ(typeSize(0, "-3"), "Incorrect value.");
    EXPECT_EQ(model.window(0).windowSizeMm, 0);
    EXPECT_EQ(typeSize(0, "12mm"), "");
    EXPECT_EQ(model.window(0).windowSizeMm, 12);
}

TEST_F(WindowTableTest, PositionAcceptsZeroToEleven) {
    fillRows(1);
    EXPECT_EQ(typePosition(0, "11"), "");
    EXPECT_EQ(model.window(0).windowPosition, 11);
    EXPECT_EQ(typePosition(0, "11.9"), "");
    EXPECT_EQ(model.window(0).windowPosition, 11);
    EXPECT_EQ(typePosition(0, "12"), "Out of bound.");
    EXPECT_EQ(model.window(0).windowPosition, 0);
    typePosition(0, "4");
    EXPECT_EQ(typePosition(0, "-1"), "Out of bound.");
    EXPECT_EQ(model.window(0).windowPosition, 0);
}

TEST_F(WindowTableTest, IdentIsKeptAsTyped) {
    fillRows(1);
    typeIdent(0, "12abc");
    EXPECT_TRUE(model.window(0).windowIdent.isText);
    EXPECT_EQ(model.window(0).windowIdent.text, "12abc");
    typeIdent(0, "");
    EXPECT_EQ(model.window(0).windowIdent.text, "");
}

TEST_F(WindowTableTest, VisibleBoxCaptionsAndContinuity) {
    fillRows(2);
    VisibleOutcome on = table.visibleToggled(1, true);
    EXPECT_EQ(on.message, "");
    EXPECT_EQ(on.caption, "ON");
    EXPECT_EQ(model.window(1).windowVisible, 1);
    VisibleOutcome off = table.visibleToggled(1, false);
    EXPECT_EQ(off.caption, "OFF");
    EXPECT_EQ(model.window(1).windowVisible, 0);
    // The first free row may be made visible ahead of its title.
    EXPECT_EQ(table.visibleToggled(2, true).caption, "ON");
    EXPECT_EQ(model.window(2).windowVisible, 1);

    VisibleOutcome refused = table.visibleToggled(4, true);
    EXPECT_EQ(refused.message, "List must be continuous.");
    EXPECT_FALSE(refused.caption.has_value());
    EXPECT_EQ(model.window(4).windowVisible, 0);
}

TEST_F(WindowTableTest, DefaultViewBoundsApplyToTheNumberNotItsWholePart) {
    EXPECT_EQ(typeView(DefaultViewField::Y, "6153"), "");
    EXPECT_EQ(model.defaultViewY, 6153);
    EXPECT_EQ(typeView(DefaultViewField::Y, "6154"), "Out of bound.");
    EXPECT_EQ(model.defaultViewY, 0);
    EXPECT_EQ(typeView(DefaultViewField::X, "8191"), "");
    EXPECT_EQ(model.defaultViewX, 8191);
    EXPECT_EQ(typeView(DefaultViewField::SizeX, "8191.5"), "Out of bound.");
    EXPECT_EQ(model.defaultViewSizeX, 0);
    EXPECT_EQ(typeView(DefaultViewField::SizeY, "6153.5"), "Out of bound.");
    EXPECT_EQ(typeView(DefaultViewField::SizeY, "-0.1"), "Out of bound.");
    EXPECT_EQ(typeView(DefaultViewField::SizeY, "480.7"), "");
    EXPECT_EQ(model.defaultViewSizeY, 480);
    EXPECT_EQ(typeView(DefaultViewField::X, "width"), "");
    EXPECT_EQ(model.defaultViewX, 0);
}

TEST_F(WindowTableTest, ThresholdIsTheWholePartOfTheAbsoluteValue) {
    table.thresholdChanged("-40");
    EXPECT_EQ(model.paletteTolerance, 40);
    table.thresholdChanged("x12");
    EXPECT_EQ(model.paletteTolerance, 0);
    table.thresholdChanged("17.9");
    EXPECT_EQ(model.paletteTolerance, 17);
}

// Values far beyond any range must neither overflow nor wrap into range.
TEST_F(WindowTableTest, HugeAndOddNumbersStaySane) {
    fillRows(1);
    table.thresholdChanged("1e300");
    EXPECT_EQ(model.paletteTolerance, INT_MAX);
    table.thresholdChanged("-1e300");
    EXPECT_EQ(model.paletteTolerance, INT_MAX);
    table.thresholdChanged("1e99999");
    EXPECT_EQ(model.paletteTolerance, INT_MAX);

    EXPECT_EQ(typePosition(0, "1e300"), "Out of bound.");
    EXPECT_EQ(typePosition(0, "4294967307"), "Out of bound."); // 2^32 + 11
    EXPECT_EQ(model.window(0).windowPosition, 0);
    EXPECT_EQ(typeSize(0, "-1e300"), "Incorrect value.");
    EXPECT_EQ(typeSize(0, "1e300"), "");
    EXPECT_TRUE(std::isfinite(model.window(0).windowSizeMm));
    EXPECT_EQ(typeRatio(0, "-1e999"), "Incorrect value.");
    EXPECT_EQ(model.window(0).windowSizeRatio, 1);
    EXPECT_EQ(typeView(DefaultViewField::X, "1e300"), "Out of bound.");
    EXPECT_EQ(typeView(DefaultViewField::X, "nan"), "");
    EXPECT_EQ(model.defaultViewX, 0);
    EXPECT_EQ(typeSize(0, std::string(100000, '9')), "");
    EXPECT_TRUE(std::isfinite(model.window(0).windowSizeMm));
}

TEST(PaletteOptions, CaptionsAndWriterOptionsFollowTheChecks) {
    EXPECT_EQ(paletteSaveCaption(false), "Save");
    EXPECT_EQ(paletteSaveCaption(true), "Don't save");
    EXPECT_EQ(paletteEraseCaption(false), "Keep all");
    EXPECT_EQ(paletteEraseCaption(true), "Erase all");
    const PaletteSaveOptions defaults = paletteOptionsFromChecks(false, false);
    EXPECT_TRUE(defaults.saveNewPalette);
    EXPECT_TRUE(defaults.keepColors);
    const PaletteSaveOptions both = paletteOptionsFromChecks(true, true);
    EXPECT_FALSE(both.saveNewPalette);
    EXPECT_FALSE(both.keepColors);
}

} // namespace
} // namespace cockpix
