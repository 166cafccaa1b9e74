#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "transmit/sound/MemorySource.h"
#include "transmit/sound/PlayHead.h"

using tc::sound::MemorySource;
using tc::sound::PlayHead;

namespace {

constexpr int kRamp = 20;
constexpr float kMostStep = 0.8f / kRamp + 1e-6f;  // a full-scale change spread over the ramp

std::unique_ptr<MemorySource> level(float value, int frames) {
    return std::make_unique<MemorySource>(std::vector<float>(static_cast<size_t>(frames), value), 8000, 1);
}

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

float largestStep(const std::vector<float>& s) {
    float step = 0;
    for (size_t i = 1; i < s.size(); ++i) step = std::max(step, std::abs(s[i] - s[i - 1]));
    return step;
}

TEST(PlayHead, PlaysTheStreamOnceAndHoldsAtItsEnd) {
    PlayHead head(level(0.5f, 1000), kRamp);
    EXPECT_EQ(heard(render(head, 100)), 0);
    head.run();
    EXPECT_EQ(heard(render(head, 3000)), 1000);
    EXPECT_EQ(head.position(), 1000);
    head.stop();
    head.run();  // at the end, Run plays nothing
    EXPECT_EQ(heard(render(head, 500)), 0);
    EXPECT_EQ(head.endings(), 1u);
    head.seek(600);
    EXPECT_EQ(head.position(), 600);
    EXPECT_EQ(heard(render(head, 1000)), 400);
    EXPECT_EQ(head.position(), 1000);
    EXPECT_EQ(head.endings(), 2u);
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
    for (const auto* s : {&quiet, &louder, &stopping, &resumed, &jumped}) EXPECT_LE(largestStep(*s), kMostStep);
}

// A damaged file may decode to another length the second time: the counted
// length is what plays, so the end still comes exactly.
TEST(PlayHead, PlaysTheCountedLengthWhateverTheStreamDelivers) {
    struct Counted : MemorySource {
        Counted(int delivers, int counted)
            : MemorySource(std::vector<float>(size_t(delivers), 0.5f), 8000, 1), n(counted) {}
        std::int64_t frames() const override { return n; }
        int n;
    };
    for (auto [delivers, counted] : {std::pair{600, 1000}, {3000, 1000}}) {
        PlayHead head(std::make_unique<Counted>(delivers, counted), kRamp);
        head.run();
        EXPECT_EQ(heard(render(head, 4000)), std::min(delivers, counted));
        EXPECT_EQ(head.position(), counted);
        EXPECT_EQ(head.endings(), 1u);
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
