// The number texts the registers compare, the clocks' time text, and the
// conversions of stored and typed texts.
#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "core/RuntimeError.h"

#include <limits>
#include <vector>

namespace {

TEST(NumberText, GeneralFormWithoutTrailingZeros) {
    // 15 significant digits hide binary noise.
    for (auto [value, text] : {std::pair{3.0, "3"}, {2.5, "2.5"}, {0.0, "0"}, {-0.0, "0"}, {0.1 + 0.2, "0.3"},
                               {1.0 / 3.0, "0.333333333333333"}})
        EXPECT_EQ(tc::numberText(value), text) << value;
    EXPECT_EQ(tc::singleText(300.0f), "300");
    EXPECT_EQ(tc::singleText(1234.5f), "1234.5");
    // Whatever the position, what is written reads back as the same number.
    for (float v : {1e7f, 12345678.0f, 16777217.0f, 1234567.5f, 0.1f, -300.0f, 1e-6f, 3.4e38f, -3.4e38f}) {
        const std::string text = tc::singleText(v);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(static_cast<float>(tc::numberValue(text)), v) << text;
    }
}

TEST(NumberText, WholeNumbersRoundHalfToEvenAndBooleansReadAsTheSettingsWriteThem) {
    for (auto [text, value] :
         {std::pair{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {" 750 ", 750}, {"+.5", 0}, {"1540.", 1540}})
        EXPECT_EQ(tc::wholeNumber(text), value) << text;
    for (const std::string& bad :
         std::vector<std::string>{"", " ", "-", ".", "7x", "x7", "1e3", "1,5", "--1", std::string(400, '9')})
        EXPECT_THROW(tc::wholeNumber(bad), tc::RuntimeError) << '"' << bad << '"';
    for (auto [text, value] :
         {std::pair{"True", true}, {"tRUE", true}, {"FALSE", false}, {"1", true}, {"-1", true}, {"0", false}})
        EXPECT_EQ(tc::booleanValue(text), value) << text;
    EXPECT_THROW(tc::booleanValue("yes"), tc::RuntimeError);
}

TEST(NumberText, ClockText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The 25th hour counts on; beyond it, the clock stops.
    for (auto [seconds, text] :
         {std::pair{0.9, "00:00:00"}, {-5.0, "00:00:00"}, {59.99, "00:00:59"}, {3725.5, "01:02:05"},
          {24 * 3600.0 + 61, "24:01:01"}, {25 * 3600.0, "24:59:59"}, {1e300, "24:59:59"}, {nan, "00:00:00"}})
        EXPECT_EQ(tc::FormatTime(seconds), text) << seconds;
}

}  // namespace
