#include <gtest/gtest.h>


#include "core/Morse.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/MorseTone.h"

using tc::sound::morseTone;

namespace {

constexpr int kRate = 48000;
constexpr long kDot = 2880;  // 60 ms

TEST(MorseTone, KeysEachElementForItsTimeAsAnEightHundredHertzToneWithSoftEdges) {
    auto k = morseTone("K E", kRate);  // -.- , a word's gap, .
    EXPECT_EQ(k.size(), static_cast<size_t>(tc::morse::durationMs("K E", 20) * kRate / 1000));
    const long starts[] = {0, 4 * kDot, 6 * kDot, 16 * kDot}, lengths[] = {3 * kDot, kDot, 3 * kDot, kDot};
    for (size_t e = 0; e < 4; ++e) {
        for (long i = 1; i < lengths[e] - 1; ++i) ASSERT_NE(k[size_t(starts[e] + i)], 0.0f) << e << " " << i;
        long gapEnd = e < 3 ? starts[e + 1] : static_cast<long>(k.size());
        for (long i = starts[e] + lengths[e]; i < gapEnd; ++i) ASSERT_EQ(k[size_t(i)], 0.0f) << e << " " << i;
    }
    EXPECT_EQ(morseTone("K#E", kRate), k);  // no sign: a word's gap, like a blank

    // The first dash, 180 ms: its pitch, its level, and 5 ms edges.
    int crossings = 0;
    for (long i = 1; i < 3 * kDot; ++i) crossings += (k[size_t(i - 1)] < 0) != (k[size_t(i)] < 0);
    EXPECT_NEAR(crossings / 2.0 / 0.18, 800.0, 10.0);
    auto loudest = [&](long from, long to) { return soundfiles::peak(k, size_t(from), size_t(to)); };
    EXPECT_NEAR(loudest(0, 3 * kDot), 0.5f, 0.001f);
    EXPECT_LT(loudest(0, 48), 0.05f);
    EXPECT_LT(loudest(3 * kDot - 48, 3 * kDot), 0.05f);
    EXPECT_NEAR(loudest(240, 300), 0.5f, 0.001f);
}

}  // namespace
