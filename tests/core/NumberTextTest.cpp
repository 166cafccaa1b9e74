// The number texts the registers compare, the clocks' time text, and the
// conversions of stored and typed texts.
#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "core/RuntimeError.h"

namespace {

TEST(NumberText, GeneralFormWithoutTrailingZeros) {
    EXPECT_EQ(tc::numberText(3.0), "3");
    EXPECT_EQ(tc::numberText(2.5), "2.5");
    EXPECT_EQ(tc::numberText(0.0), "0");
    EXPECT_EQ(tc::numberText(-0.0), "0");
    EXPECT_EQ(tc::numberText(0.1 + 0.2), "0.3") << "15 significant digits hide binary noise";
    EXPECT_EQ(tc::numberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(tc::singleText(300.0f), "300");
    EXPECT_EQ(tc::singleText(1234.5f), "1234.5");
    // Whatever the position, what is written reads back as the same number.
    for (float v : {1e7f, 12345678.0f, 16777217.0f, 1234567.5f, 0.1f, -300.0f, 1e-6f, 3.4e38f, -3.4e38f}) {
        const std::string text = tc::singleText(v);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(static_cast<float>(tc::numberValue(text)), v) << text;
    }
}

TEST(NumberText, WholeNumberRoundsHalfToEven) {
    EXPECT_EQ(tc::wholeNumber("2.5"), 2);
    EXPECT_EQ(tc::wholeNumber("3.5"), 4);
    EXPECT_EQ(tc::wholeNumber("-2.5"), -2);
    EXPECT_EQ(tc::wholeNumber(" 750 "), 750);
    EXPECT_EQ(tc::wholeNumber("+.5"), 0);
    EXPECT_EQ(tc::wholeNumber("1540."), 1540);
    for (const char* bad : {"", " ", "-", ".", "7x", "x7", "1e3", "1,5", "--1"})
        EXPECT_THROW(tc::wholeNumber(bad), tc::RuntimeError) << '"' << bad << '"';
    EXPECT_THROW(tc::wholeNumber(std::string(400, '9')), tc::RuntimeError);
}

TEST(NumberText, BooleanTextsAndNumbers) {
    EXPECT_TRUE(tc::booleanValue("True"));
    EXPECT_TRUE(tc::booleanValue("tRUE"));
    EXPECT_FALSE(tc::booleanValue("FALSE"));
    EXPECT_TRUE(tc::booleanValue("1"));
    EXPECT_TRUE(tc::booleanValue("-1"));
    EXPECT_FALSE(tc::booleanValue("0"));
    EXPECT_THROW(tc::booleanValue("yes"), tc::RuntimeError);
}

TEST(NumberText, ClockText) {
    EXPECT_EQ(tc::FormatTime(0.9), "00:00:00");
    EXPECT_EQ(tc::FormatTime(-5), "00:00:00");
    EXPECT_EQ(tc::FormatTime(59.99), "00:00:59");
    EXPECT_EQ(tc::FormatTime(3600 + 120 + 5.5), "01:02:05");
    EXPECT_EQ(tc::FormatTime(24 * 3600 + 61), "24:01:01") << "the 25th hour counts on";
    EXPECT_EQ(tc::FormatTime(25 * 3600), "24:59:59");
    EXPECT_EQ(tc::FormatTime(1e300), "24:59:59");
    EXPECT_EQ(tc::FormatTime(std::numeric_limits<double>::quiet_NaN()), "00:00:00");
}

}  // namespace
