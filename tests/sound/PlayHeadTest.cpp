#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "transmit/sound/MemorySource.h"
#include "transmit/sound/PlayHead.h"

using tc::sound::MemorySource;
using tc::sound::PlayHead;

namespace {

constexpr int kRamp = 20;

// The left channel of the next frames rendered.
std::vector<float> render(PlayHead& head, int frames) {
    std::vector<float> out(static_cast<size_t>(frames * 2)), left;
    head.render(out.data(), static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) left.push_back(out[static_cast<size_t>(2 * i)]);
    return left;
}

long heard(const std::vector<float>& s) {
    return std::count_if(s.begin(), s.end(), [](float x) { return x != 0; });
}

// A damaged file may decode to another length the second time: the counted
// length is what plays, so the end still comes exactly, once, and holds.
TEST(PlayHead, PlaysTheCountedLengthOnceAndHoldsAtItsEnd) {
    struct Counted : MemorySource {
        Counted(int delivers, int counted)
            : MemorySource(std::vector<float>(size_t(delivers), 0.5f), 8000, 1), n(counted) {}
        std::int64_t frames() const override { return n; }
        int n;
    };
    for (auto [delivers, counted] : {std::pair{1000, 1000}, {600, 1000}, {3000, 1000}}) {
        PlayHead head(std::make_unique<Counted>(delivers, counted), kRamp);
        EXPECT_EQ(heard(render(head, 100)), 0) << delivers;  // not yet running
        head.run();
        EXPECT_EQ(heard(render(head, 4000)), std::min(delivers, counted)) << delivers;
        EXPECT_EQ(head.position(), counted) << delivers;
        head.stop();
        head.run();  // at the end, Run plays nothing
        EXPECT_EQ(heard(render(head, 500)), 0) << delivers;
        EXPECT_EQ(head.endings(), 1u) << delivers;
        head.seek(500);
        EXPECT_EQ(head.position(), 500) << delivers;
        EXPECT_EQ(heard(render(head, 1000)), std::min(delivers, counted) - 500) << delivers;
        EXPECT_EQ(head.position(), counted) << delivers;
        EXPECT_EQ(head.endings(), 2u) << delivers;
    }
}

TEST(PlayHead, VolumeStopRunAndSeekRampInsteadOfClicking) {
    std::vector<float> climb(8000);
    for (size_t i = 0; i < climb.size(); ++i) climb[i] = 0.2f + 0.6f * static_cast<float>(i) / 8000;
    PlayHead head(std::make_unique<MemorySource>(climb, 8000, 1), kRamp);
    head.setGain(std::pow(10.0, -3000 / 2000.0));
    head.run();
    auto quiet = render(head, 1000);
    EXPECT_FLOAT_EQ(quiet[500], climb[500] * 0.0316227766f);
    head.setGain(1.0);
    auto louder = render(head, 1000);
    EXPECT_FLOAT_EQ(louder[999], climb[1999]);
    head.stop();
    auto stopping = render(head, 200);
    std::int64_t held = head.position();
    EXPECT_LE(held, 2000 + kRamp);
    EXPECT_EQ(heard(render(head, 500)), 0);
    EXPECT_EQ(head.position(), held);
    head.run();
    auto resumed = render(head, 500);
    EXPECT_FLOAT_EQ(resumed[499], climb[static_cast<size_t>(held) + 499]);
    head.seek(6000);
    EXPECT_EQ(head.position(), 6000);
    auto jumped = render(head, 100);  // fades out where it was, fades in at 6000
    EXPECT_FLOAT_EQ(jumped[99], climb[6000 + 100 - kRamp - 1]);
    // No step larger than a full-scale change spread over the ramp.
    for (const auto* s : {&quiet, &louder, &stopping, &resumed, &jumped}) {
        float step = 0;
        for (size_t i = 1; i < s->size(); ++i) step = std::max(step, std::abs((*s)[i] - (*s)[i - 1]));
        EXPECT_LE(step, 0.8f / kRamp + 1e-6f);
    }
}

TEST(PlayHead, SurroundChannelsShareOutLeftAndRight) {
    PlayHead head(std::make_unique<MemorySource>(std::vector<float>{0.2f, 0.6f, 0.4f, 0.2f, 0.6f, 0.4f}, 8000, 3), 1);
    head.run();
    std::vector<float> out(4);
    head.render(out.data(), 2);
    EXPECT_FLOAT_EQ(out[0], 0.3f);  // channels 0 and 2
    EXPECT_FLOAT_EQ(out[1], 0.6f);  // channel 1
}

}  // namespace
