#include "panel/core/numbertext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace cockpix {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberIgnoringBlanks) {
    EXPECT_DOUBLE_EQ(numericValue(" 12.5mm"), 12.5);
    EXPECT_DOUBLE_EQ(numericValue("1 0"), 10);
    EXPECT_DOUBLE_EQ(numericValue("1\t2 0"), 120);
    EXPECT_DOUBLE_EQ(numericValue("120,80"), 120);
    EXPECT_DOUBLE_EQ(numericValue("abc"), 0);
    EXPECT_DOUBLE_EQ(numericValue(""), 0);
    EXPECT_DOUBLE_EQ(numericValue("-"), 0);
    EXPECT_DOUBLE_EQ(numericValue("."), 0);
    EXPECT_DOUBLE_EQ(numericValue("- 3.25"), -3.25);
    EXPECT_DOUBLE_EQ(numericValue("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(numericValue("1.2.3"), 1.2);
}

TEST(NumericValue, ReadsExponentsAndRadixPrefixes) {
    EXPECT_DOUBLE_EQ(numericValue("1E3"), 1000);
    EXPECT_DOUBLE_EQ(numericValue("2.5d-1"), 0.25);
    EXPECT_DOUBLE_EQ(numericValue("1 e + 2"), 100);
    EXPECT_DOUBLE_EQ(numericValue("12e"), 12); // a marker without digits is not an exponent
    EXPECT_DOUBLE_EQ(numericValue("7E+x"), 7);
    EXPECT_DOUBLE_EQ(numericValue("&HFF"), 255);
    EXPECT_DOUBLE_EQ(numericValue("&hff zz"), 255);
    EXPECT_DOUBLE_EQ(numericValue("&O17"), 15);
    EXPECT_DOUBLE_EQ(numericValue("&O19"), 1);
    EXPECT_DOUBLE_EQ(numericValue("&X1"), 0);
}

TEST(NumericValue, SaturatesInsteadOfOverflowing) {
    EXPECT_DOUBLE_EQ(numericValue("1e999"), std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(numericValue("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(numericValue("1e-999"), 0);
    EXPECT_DOUBLE_EQ(numericValue(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(clampToInt(numericValue("1e30")), std::numeric_limits<int>::max());
    EXPECT_EQ(clampToInt(-1e30), std::numeric_limits<int>::min());
}

TEST(StrictNumericValue, AcceptsOnlyAWholeNumber) {
    EXPECT_EQ(strictNumericValue(" 12 "), 12.0);
    EXPECT_EQ(strictNumericValue("-0.5"), -0.5);
    EXPECT_EQ(strictNumericValue("12abc"), std::nullopt);
    EXPECT_EQ(strictNumericValue(""), std::nullopt);
    EXPECT_EQ(strictNumericValue("abc"), std::nullopt);
}

TEST(NumberText, WritesPlainAndPaddedForms) {
    EXPECT_EQ(plainNumberText(0), "0");
    EXPECT_EQ(plainNumberText(-0.0), "0");
    EXPECT_EQ(plainNumberText(640), "640");
    EXPECT_EQ(plainNumberText(0.5), ".5");
    EXPECT_EQ(plainNumberText(-0.25), "-.25");
    EXPECT_EQ(plainNumberText(64.5), "64.5");
    EXPECT_EQ(plainNumberText(0.1 + 0.2), ".3"); // 15 significant digits hide the binary noise
    EXPECT_EQ(plainNumberText(1.0 / 3), ".333333333333333");
    EXPECT_EQ(plainNumberText(123456789012345), "123456789012345");
    EXPECT_EQ(plainNumberText(1e20), "1E+20");
    EXPECT_EQ(plainNumberText(0.001), ".001");
    EXPECT_EQ(paddedNumberText(640), " 640");
    EXPECT_EQ(paddedNumberText(0), " 0");
    EXPECT_EQ(paddedNumberText(-3), "-3");
}

TEST(NumberText, RoundTripsThroughNumericValue) {
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
