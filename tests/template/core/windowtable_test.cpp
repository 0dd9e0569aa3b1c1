#include "template/core/fs98/windowtable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace cockpix {
namespace {

using RowHandler = fs98::EditOutcome (fs98::WindowTable::*)(const fs98::Panel&, int,
                                                            std::string_view);
constexpr RowHandler Title = &fs98::WindowTable::titleChanged;
constexpr RowHandler Bitmap = &fs98::WindowTable::bitmapChanged;
constexpr RowHandler Size = &fs98::WindowTable::sizeChanged;
constexpr RowHandler Ratio = &fs98::WindowTable::ratioChanged;
constexpr RowHandler Position = &fs98::WindowTable::positionChanged;
constexpr RowHandler Ident = &fs98::WindowTable::identChanged;
constexpr std::string_view kContinuous = "List must be continuous.";
constexpr std::string_view kIncorrect = "Incorrect value.";
constexpr std::string_view kTooBig = "Window size must be a number from 0 to 32767.";
constexpr std::string_view kOutOfBound = "Out of bound.";

// A panel and table as after New. Text goes in the way the template window feeds it: every
// change goes through the table, its edit is stored as the panel document stores it, and a
// requested clearing runs the handler again with "".
class WindowTableTest : public ::testing::Test {
protected:
    void store(const fs98::EditOutcome& outcome) {
        if (!outcome.edit)
            return;
        fs98::applyWindowEdit(model, *outcome.edit);
        handedOver.push_back(outcome.edit->value);
    }
    void store(const fs98::ViewOutcome& outcome, fs98::DefaultViewField field) {
        if (outcome.value)
            model.setDefaultView(fs98::withViewField(model.defaultView(), field, *outcome.value));
    }
    template <typename Handler, typename Store>
    std::string carryOut(Handler handler, Store store, std::string_view text) {
        const auto outcome = handler(text);
        store(outcome);
        if (outcome.clearBox) {
            const auto again = handler("");
            store(again);
            EXPECT_FALSE(again.clearBox);
            EXPECT_EQ(again.message, "");
        }
        return outcome.message;
    }
    std::string type(RowHandler handler, int row, std::string_view text) {
        return carryOut([&](std::string_view t) { return (table.*handler)(model, row, t); },
                        [&](const fs98::EditOutcome& outcome) { store(outcome); }, text);
    }
    std::string typeView(fs98::DefaultViewField field, std::string_view text) {
        return carryOut([&](std::string_view t) { return table.defaultViewChanged(field, t); },
                        [&](const fs98::ViewOutcome& outcome) { store(outcome, field); }, text);
    }
    fs98::VisibleOutcome click(int row, bool checked) {
        fs98::VisibleOutcome outcome = table.visibleToggled(model, row, checked);
        if (outcome.edit)
            fs98::applyWindowEdit(model, *outcome.edit);
        return outcome;
    }
    void fillRows(int count) {
        for (int row = 0; row < count; ++row) {
            type(Title, row, "Window " + std::to_string(row));
            type(Bitmap, row, "bg" + std::to_string(row));
        }
        ASSERT_EQ(model.windowCount, count);
    }

    fs98::Panel model;
    fs98::WindowTable table;
    std::vector<fs98::WindowFieldValue> handedOver; // every value stored, in order
};

// Each step types into one box of a row and gives the window count it must leave: emptying
// a row that is not the last keeps the count, the last row leaves (and then the next), and
// a bitmap box holding "." stores no name but counts as filled.
TEST_F(WindowTableTest, CountFollowsTitleAndBitmapOfTheLastRows) {
    const std::tuple<RowHandler, int, const char*, int> steps[] = {
        {Title, 0, "Main", 0},   {Bitmap, 0, "main", 1}, {Title, 1, "Radios", 1},
        {Bitmap, 1, "radio", 2}, {Bitmap, 2, "gps", 2},  {Title, 2, "G", 3},
        {Title, 2, "GP", 3},     {Title, 0, "", 3},      {Title, 2, "", 2},
        {Bitmap, 1, "", 1},      {Title, 1, "again", 1}, {Bitmap, 1, ".", 2}};
    for (const auto& [handler, row, text, count] : steps) {
        EXPECT_EQ(type(handler, row, text), "");
        EXPECT_EQ(model.windowCount, count) << text << " in row " << row;
    }
    EXPECT_EQ(model.window(0).windowTitle, "");
    EXPECT_EQ(model.window(1).windowBitmap, "");
    EXPECT_EQ(model.window(2).windowBitmap, "gps"); // the other field stays
}

TEST_F(WindowTableTest, CountStaysWithinZeroToNineAndForgottenBoxesAreEmpty) {
    fillRows(9);
    type(Title, 8, "renamed");
    EXPECT_EQ(model.windowCount, 9);
    for (int row = 8; row >= 0; --row)
        type(Bitmap, row, "");
    EXPECT_EQ(model.windowCount, 0);
    type(Title, 0, "");
    EXPECT_EQ(model.windowCount, 0);

    type(Bitmap, 0, "bg");
    table.forgetBoxes();
    type(Title, 0, "T");
    EXPECT_EQ(model.windowCount, 0);
}

TEST_F(WindowTableTest, EveryBoxOfARowBeyondTheFirstFreeOneIsRefusedAndCleared) {
    fillRows(2);
    const fs98::PanelWindow& far = model.window(3);
    model.window(3).windowSizeRatio = 0.3;
    for (RowHandler handler : {Title, Bitmap, Size, Ratio, Position, Ident})
        EXPECT_EQ(type(handler, 3, "7"), kContinuous);
    EXPECT_EQ(far.windowTitle + far.windowBitmap, "");
    EXPECT_EQ(far.windowSizeMm, 0);
    EXPECT_EQ(far.windowSizeRatio, 1); // a refused ratio ends at 1, not at the emptied 0
    EXPECT_EQ(far.windowPosition, 0);
    EXPECT_EQ(far.windowIdent.number, 0);
    EXPECT_EQ(model.windowCount, 2);

    const fs98::VisibleOutcome refused = click(4, true);
    EXPECT_EQ(refused.message, kContinuous);
    EXPECT_FALSE(refused.caption.has_value());
    EXPECT_EQ(model.window(4).windowVisible, 0);
    // The first free row takes every field, even ahead of its title.
    EXPECT_EQ(type(Size, 2, "640"), "");
    EXPECT_EQ(model.window(2).windowSizeMm, 640);
    EXPECT_EQ(click(2, true).caption, "ON");
    EXPECT_EQ(model.window(2).windowVisible, 1);
}

// In order, on row 0; a refusal also resets the value stored by the step before, and the
// ratio keeps its reset 1 only for the emptying that follows the refusal. A refused value
// is never stored, not even for a moment: an undo would bring it back.
TEST_F(WindowTableTest, NumberBoxesStoreTheirValueOrRefuseIt) {
    fillRows(1);
    // clang-format off
    const std::tuple<RowHandler, const char*, std::string_view, double> steps[] = {
        {Size, "640.9", "", 640}, {Size, "-3", kIncorrect, 0}, {Size, "12mm", "", 12},
        {Size, "-0.5", "", 0}, {Size, "-1e300", kIncorrect, 0}, {Size, "1e300", kTooBig, 0},
        {Size, "32767.9", "", 32767}, {Size, "32768", kTooBig, 0},
        {Ratio, "0.75", "", 0.75}, {Ratio, "-2", kIncorrect, 1}, {Ratio, "2.5", "", 2.5},
        {Ratio, "", "", 0}, {Ratio, "-1e999", kIncorrect, 1},
        {Position, "11", "", 11}, {Position, "-1", kOutOfBound, 0}, {Position, "11.9", "", 11},
        {Position, "12", kOutOfBound, 0}, {Position, "4", "", 4},
        {Position, "1e300", kOutOfBound, 0}, {Position, "4294967307", kOutOfBound, 0}};
    // clang-format on
    const fs98::PanelWindow& window = model.window(0);
    for (const auto& [handler, text, message, stored] : steps) {
        handedOver.clear();
        EXPECT_EQ(type(handler, 0, text), message) << text;
        for (const fs98::WindowFieldValue& value : handedOver)
            EXPECT_EQ(std::get<double>(value), stored) << text;
        const double* value = handler == Size    ? &window.windowSizeMm
                              : handler == Ratio ? &window.windowSizeRatio
                                                 : &window.windowPosition;
        EXPECT_EQ(*value, stored) << text;
        EXPECT_FALSE(std::signbit(*value)) << text; // "-0.5" has whole part 0, not -0
    }
    EXPECT_EQ(type(Size, 0, std::string(100000, '9')), kTooBig);
    EXPECT_EQ(window.windowSizeMm, 0);
}

TEST_F(WindowTableTest, BitmapLosesOneFinalPointAndIdentIsKeptAsTyped) {
    fillRows(1);
    for (const auto& [typed, stored] :
         {std::pair{"panel.", "panel"}, {"panel..", "panel."}, {"panel.bmp", "panel.bmp"}}) {
        type(Bitmap, 0, typed);
        EXPECT_EQ(model.window(0).windowBitmap, stored);
    }
    type(Ident, 0, "12abc");
    EXPECT_TRUE(model.window(0).windowIdent.isText);
    EXPECT_EQ(model.window(0).windowIdent.text, "12abc");
}

// The bounds apply to the number itself, not to its whole part.
TEST_F(WindowTableTest, DefaultViewBounds) {
    using F = fs98::DefaultViewField;
    // clang-format off
    const std::tuple<F, const char*, std::string_view, double> steps[] = {
        {F::Y, "6153", "", 6153}, {F::Y, "6154", kOutOfBound, 0}, {F::SizeX, "8191", "", 8191},
        {F::SizeX, "8191.5", kOutOfBound, 0}, {F::SizeY, "6153.5", kOutOfBound, 0},
        {F::SizeY, "-0.1", kOutOfBound, 0}, {F::SizeY, "480.7", "", 480}, {F::X, "8191", "", 8191},
        {F::X, "width", "", 0}, {F::X, "1e300", kOutOfBound, 0}, {F::X, "nan", "", 0}};
    // clang-format on
    const double* values[] = {&model.defaultViewX, &model.defaultViewY, &model.defaultViewSizeX,
                              &model.defaultViewSizeY};
    for (const auto& [field, text, message, stored] : steps) {
        EXPECT_EQ(typeView(field, text), message) << text;
        EXPECT_EQ(*values[static_cast<int>(field)], stored) << text;
    }
}

// The whole part of the absolute value, never overflowing or wrapping into range.
TEST_F(WindowTableTest, Threshold) {
    const std::pair<const char*, int> cases[] = {{"-40", 40},         {"x12", 0},
                                                 {"17.9", 17},        {"1e300", INT_MAX},
                                                 {"-1e300", INT_MAX}, {"1e99999", INT_MAX}};
    for (const auto& [text, tolerance] : cases)
        EXPECT_EQ(fs98::thresholdValue(text), tolerance) << text;
}

} // namespace
} // namespace cockpix
