// The simulated station's Morse keying.
#include <gtest/gtest.h>

#include "core/Morse.h"

namespace {

TEST(Morse, ParisIsFiftyUnitsWithItsWordGap) {
    // PARIS plus the gap before the next word is the standard word of 50 units.
    EXPECT_EQ(tc::morse::durationMs("PARIS", 20) + 7 * 60, 50 * 60);
    EXPECT_EQ(tc::morse::dotMs(20), 60);
}

TEST(Morse, ElementsAndGaps) {
    auto k = tc::morse::elements("k");
    ASSERT_EQ(k.size(), 5u);
    EXPECT_TRUE(k[0].keyed && k[0].units == 3);
    EXPECT_TRUE(!k[1].keyed && k[1].units == 1);
    EXPECT_TRUE(k[2].keyed && k[2].units == 1);
    auto two = tc::morse::elements("E E");
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two[1].units, 7);
    EXPECT_FALSE(two[1].keyed);
}

TEST(Morse, UnknownCharactersAreSkippedWithAGap) {
    EXPECT_EQ(tc::morse::code('~'), nullptr);
    EXPECT_EQ(tc::morse::durationMs("E~E", 20), tc::morse::durationMs("E E", 20));
    EXPECT_EQ(tc::morse::durationMs("~~", 20), 0);
    EXPECT_EQ(tc::morse::durationMs("", 20), 0);
    EXPECT_EQ(tc::morse::durationMs("  K  ", 20), tc::morse::durationMs("K", 20)) << "no gap before or after";
}

}  // namespace
