#include "gaugedialogs/core/gaugeproperties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace cockpix {
namespace {

// Typing moves the X and Y bars only strictly inside their range, rounding halves to even;
// opening sets a bar also at its bounds.
TEST(GaugeProperties, WhereATypedOrOpenedValuePutsABar) {
    struct Case {
        double value;
        std::optional<int> typed;
        std::optional<int> opened;
    };
    const Case cases[] = {
        {12.5, 12, 12},       {13.5, 14, 14},    {-10.4, -10, -10},  {-0.5, 0, 0},
        {2500, {}, {}},       {2000, {}, 2000},  {-2000, {}, -2000}, {1999.6, 2000, 2000},
        {-2000.5, {}, -2000}, {-2000.6, {}, {}}, {1e300, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionBarForTyped(c.value), c.typed) << c.value;
        EXPECT_EQ(barForOpening(c.value, kPositionBar), c.opened) << c.value;
    }
    EXPECT_EQ(barForOpening(std::numeric_limits<double>::quiet_NaN(), kPositionBar), std::nullopt);
    EXPECT_EQ(barForOpening(-1, kSizeBar), std::nullopt);
    EXPECT_EQ(barForOpening(1000.4, kSizeBar), 1000);
}

// X, Y and S FS98 cannot place are refused, unless the gauge has that value already.
TEST(GaugeProperties, PlacesFs98CannotReachAreRefused) {
    const struct {
        fs98::GaugeField field;
        double typed;
        double current;
        std::optional<std::string> problem;
    } rows[] = {{fs98::GaugeField::X, 1e20, 10, "X must be a number from -32767 to 32767."},
                {fs98::GaugeField::Y, -32768, 0, "Y must be a number from -32767 to 32767."},
                {fs98::GaugeField::Size, -5, 96, "S must be a number from 0 to 32767."},
                {fs98::GaugeField::Size, 32768, 96, "S must be a number from 0 to 32767."},
                {fs98::GaugeField::X, 2500, 10, std::nullopt},
                {fs98::GaugeField::Size, 0, 96, std::nullopt},
                {fs98::GaugeField::X, 1e20, 1e20, std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(typedPlaceProblem(row.field, row.typed, row.current), row.problem) << row.typed;
}

// D takes 1..1000 after rounding; anything else empties the box.
TEST(GaugeProperties, BlinkPeriodBounds) {
    struct Case {
        double typed;
        std::optional<int> period;
    };
    const Case cases[] = {{1001, {}},     {0, {}},      {0.5, {}}, {0.7, 1}, {1000, 1000},
                          {1000.5, 1000}, {1000.6, {}}, {-3, {}},  {1.5, 2}, {2.5, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(blinkBarForTyped(c.typed), c.period) << c.typed;
}

// The pixel boxes cut toward zero: 1.6 x -10.4 = -16.64 shows -16.
TEST(GaugeProperties, PixelBoxesCutTowardZero) {
    EXPECT_EQ(pixelsOf(1.6, -10.4), -16);
    EXPECT_EQ(pixelsOf(1.6, -10), -16);
    EXPECT_EQ(pixelsOf(1.6, 10.4), 16);
    EXPECT_EQ(pixelsOf(0, 500), 0);
    EXPECT_EQ(heightPixelsOf(0.5, 1.5, 81), 60); // 60.75
    EXPECT_EQ(heightPixelsOf(0.75, 2, -5), -7);  // -7.5
}

TEST(GaugeProperties, TitleAndRemovalQuestion) {
    EXPECT_EQ(gaugePropertiesTitle(3, "cessna_182.airspeed").bytes(), "#3=cessna_182.airspeed");
    EXPECT_EQ(gaugePropertiesTitle(0, "x").bytes(), "#0=x");
    const UserText question = removeGaugeQuestion("caf\xE9");
    EXPECT_EQ(question.bytes(), "Are you sure to remove gauge\ncaf\xE9 ?");
    // The name is panel.cfg text, shown as Windows-1252.
    EXPECT_EQ(question.toUtf8(), "Are you sure to remove gauge\ncaf\xC3\xA9 ?");
    EXPECT_EQ(removeGaugeQuestion("caf\xC3\xA9", TextEncoding::Utf8).toUtf8(),
              "Are you sure to remove gauge\ncaf\xC3\xA9 ?");

    // Several: one question naming them, in the panel's encoding, at most ten of them.
    const std::vector<std::string> two = {"clock", "caf\xC3\xA9!Fuel"};
    EXPECT_EQ(removeGaugesQuestion(two, TextEncoding::Utf8).toUtf8(),
              "Are you sure to remove these 2 gauges?\nclock\ncaf\xC3\xA9!Fuel");
    EXPECT_EQ(removeGaugesQuestion(std::vector<std::string>{"caf\xE9", "b"}).toUtf8(),
              "Are you sure to remove these 2 gauges?\ncaf\xC3\xA9\nb");
    const std::vector<std::string> many(kListedGaugeNames + 3, "g");
    const std::string listed = removeGaugesQuestion(many).bytes();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), long(kListedGaugeNames) + 1);
    EXPECT_TRUE(listed.ends_with("\ng\n... and 3 more")) << listed;
}

} // namespace
} // namespace cockpix
