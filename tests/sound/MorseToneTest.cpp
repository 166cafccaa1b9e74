#include <gtest/gtest.h>

#include <cmath>

#include "hostlink/Morse.h"
#include "transmit/sound/MorseTone.h"

using tc::sound::morseTone;

namespace {

constexpr int kRate = 48000;
constexpr long kDot = 2880;  // 60 ms

TEST(MorseTone, KeysEachElementForItsTimeAtTwentyWordsAMinute) {
    auto k = morseTone("K E", kRate);  // -.- , a word's gap, .
    EXPECT_EQ(k.size(), static_cast<size_t>(tc::morse::durationMs("K E", 20) * kRate / 1000));
    const long starts[] = {0, 4 * kDot, 6 * kDot, 16 * kDot}, lengths[] = {3 * kDot, kDot, 3 * kDot, kDot};
    for (size_t e = 0; e < 4; ++e) {
        for (long i = 1; i < lengths[e] - 1; ++i) EXPECT_NE(k[size_t(starts[e] + i)], 0.0f) << e << " " << i;
        long gapEnd = e < 3 ? starts[e + 1] : static_cast<long>(k.size());
        for (long i = starts[e] + lengths[e]; i < gapEnd; ++i) ASSERT_EQ(k[size_t(i)], 0.0f) << e << " " << i;
    }
    EXPECT_EQ(morseTone("K#E", kRate), k);  // no sign: a word's gap, like a blank
}

TEST(MorseTone, ToneIsEightHundredHertzWithRaisedCosineEdges) {
    auto dash = morseTone("T", kRate);
    int crossings = 0;
    for (size_t i = 1; i < dash.size(); ++i) crossings += (dash[i - 1] < 0) != (dash[i] < 0);
    EXPECT_NEAR(crossings / 2.0 / 0.18, 800.0, 10.0);
    float top = 0, firstMs = 0, lastMs = 0, fromFiveMs = 0;
    for (size_t i = 0; i < dash.size(); ++i) top = std::max(top, std::abs(dash[i]));
    for (size_t i = 0; i < 48; ++i) {
        firstMs = std::max(firstMs, std::abs(dash[i]));
        lastMs = std::max(lastMs, std::abs(dash[dash.size() - 1 - i]));
    }
    for (size_t i = 240; i < 300; ++i) fromFiveMs = std::max(fromFiveMs, std::abs(dash[i]));
    EXPECT_NEAR(top, 0.5f, 0.001f);
    EXPECT_LT(firstMs, 0.1f * top);
    EXPECT_LT(lastMs, 0.1f * top);
    EXPECT_NEAR(fromFiveMs, top, 0.001f);
}

}  // namespace
