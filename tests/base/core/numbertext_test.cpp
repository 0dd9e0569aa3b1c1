#include "base/core/numbertext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace cockpix {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

// Exponents (a marker without digits is not one) and radix prefixes; saturation instead of
// overflow.
TEST(NumericValue, ReadsTheLeadingNumberLikeTheFileFormatDoes) {
    const struct {
        std::string text;
        double value;
    } rows[] = {
        {" 12.5mm", 12.5}, {"1 0", 10},     {"1\t2 0", 120},   {"120,80", 120},   {"abc", 0},
        {"", 0},           {"-", 0},        {".", 0},          {"- 3.25", -3.25}, {"+.5", 0.5},
        {"1.2.3", 1.2},    {"1E3", 1000},   {"2.5d-1", 0.25},  {"1 e + 2", 100},  {"12e", 12},
        {"7E+x", 7},       {"&HFF", 255},   {"&hff zz", 255},  {"&O17", 15},      {"&O19", 1},
        {"&X1", 0},        {"1e999", kMax}, {"-1e999", -kMax}, {"1e-999", 0},     {"9e400", kMax}};
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(numericValue(row.text), row.value) << row.text;
    EXPECT_DOUBLE_EQ(numericValue(std::string(400, '9')), kMax);
    EXPECT_EQ(clampToInt(numericValue("1e30")), std::numeric_limits<int>::max());
    EXPECT_EQ(clampToInt(-1e30), std::numeric_limits<int>::min());
}

TEST(StrictNumericValue, AcceptsOnlyAWholeNumber) {
    EXPECT_EQ(strictNumericValue(" 12 "), 12.0);
    EXPECT_EQ(strictNumericValue("-0.5"), -0.5);
    for (const char* text : {"12abc", "", "abc"})
        EXPECT_EQ(strictNumericValue(text), std::nullopt) << text;
}

// 15 significant digits hide the binary noise of 0.1 + 0.2.
TEST(NumberText, WritesPlainAndPaddedFormsThatReadBack) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{0, "0"},
                {-0.0, "0"},
                {640, "640"},
                {0.5, ".5"},
                {-0.25, "-.25"},
                {64.5, "64.5"},
                {0.1 + 0.2, ".3"},
                {1.0 / 3, ".333333333333333"},
                {123456789012345, "123456789012345"},
                {1e20, "1E+20"},
                {0.001, ".001"}};
    for (const auto& row : rows)
        EXPECT_EQ(plainNumberText(row.value), row.text);
    EXPECT_EQ(paddedNumberText(640), " 640");
    EXPECT_EQ(paddedNumberText(0), " 0");
    EXPECT_EQ(paddedNumberText(-3), "-3");
    for (double v : {0.75, -12.125, 1e-7, 3e17, 8191.0, 96.0})
        EXPECT_DOUBLE_EQ(numericValue(plainNumberText(v)), v);
}

TEST(NumberText, IgnoresTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        EXPECT_EQ(plainNumberText(2.5), "2.5");
        EXPECT_DOUBLE_EQ(numericValue("2.5"), 2.5);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Rounding, HalvesGoToEvenAndTruncationCutsTowardZero) {
    EXPECT_EQ(roundHalfEven(12.5), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.51), 3);
    EXPECT_EQ(truncateTowardZero(3.9), 3);
    EXPECT_EQ(truncateTowardZero(-3.9), -3);
    EXPECT_EQ(wholePartFloor(-3.5), -4);
}

} // namespace
} // namespace cockpix
