// The simulated station's Morse keying.
#include <gtest/gtest.h>

#include "core/Morse.h"

namespace {

// In dots of 60 ms at 20 words a minute: a dash is three, the gap inside a
// letter one, between letters three and between words seven; a character
// Morse has no sign for is a word's gap, and no gap comes before or after.
TEST(Morse, DurationsInDotsWithTheirGaps) {
    for (auto [text, dots] : {std::pair{"PARIS", 50 - 7}, {"k", 9}, {"EE", 5}, {"E E", 9}, {"E~E", 9}, {"~~", 0},
                              {"", 0}, {"  K  ", 9}})
        EXPECT_EQ(tc::morse::durationMs(text, 20), dots * 60) << text;
}

}  // namespace
