#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

#include "core/RuntimeError.h"
#include "core/StationLoop.h"
#include "sound/SoundFiles.h"
#include "support/Child.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/output/CwSounder.h"
#include "transmit/sound/output/OutputPriority.h"
#include "transmit/sound/output/SoundDevice.h"

namespace {

using Samples = std::vector<float>;

bool sounds(float x) { return x != 0.0f; }

// Frames from the first to the last that is not silent.
long soundingSpan(const Samples& s) {
    auto first = std::find_if(s.begin(), s.end(), sounds);
    return first == s.end() ? 0 : static_cast<long>(std::find_if(s.rbegin(), s.rend(), sounds).base() - first);
}

tc::sound::SoundDevice& device() { return tc::sound::SoundDevice::shared(); }

// Output frames for so many frames of a stream at its own rate.
long onOutput(long frames, int rate) { return frames * tc::sound::SoundDevice::kRate / rate; }

// Until the output has closed, which it does once all is silent.
bool closed() {
    return eventually([] { return !device().isOpen(); });
}

// The real output path, into SDL's disk driver: every sample handed to the
// device lands in a file of the test's choosing, a little faster than real
// time. Each output is closed before the next one opens into a new file.
class DiskOutput : public ::testing::Test, public tc::PlaybackListener {
protected:
    DiskOutput() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1);  // ms a device period
        device().setLingerMs(20);
    }
    ~DiskOutput() override {
        closed();
        device().setLingerMs(tc::sound::SoundDevice::kLingerMs);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void played(const std::string& path) override { ends.push_back(path); }

    std::shared_ptr<tc::AudioGraph> graphFor(const std::string& file, const std::string& output) {
        EXPECT_TRUE(closed());
        setenv("SDL_DISKAUDIOFILE", soundfiles::path(output).c_str(), 1);
        auto g = factory->NewGraph();
        g->RenderFile(file);
        return g;
    }

    // Moves the logic's clock on until the end has been announced once more.
    bool playedOnce() {
        std::size_t before = ends.size();
        return eventually([&] {
            loop.runUntil(loop.nowMs() + 10);
            return ends.size() > before;
        });
    }

    // The left channel as it reached the device, once the output is closed.
    static Samples heard(const std::string& output) {
        EXPECT_TRUE(closed());
        std::ifstream in(soundfiles::path(output), std::ios::binary);
        Samples left;
        for (float frame[2]; in.read(reinterpret_cast<char*>(frame), sizeof frame);) left.push_back(frame[0]);
        return left;
    }

    // Plays the file to its end, where the position must be the duration, and
    // returns what the device got and that duration.
    std::pair<Samples, double> playThrough(const std::string& file, long volume = 0, double rate = 1.0) {
        std::string out = "out" + std::to_string(outputs++) + ".raw";
        auto g = graphFor(file, out);
        g->put_Volume(volume);
        g->put_Rate(rate);
        g->Run();
        if (!playedOnce()) ADD_FAILURE() << file << " never ended";
        EXPECT_EQ(ends, std::vector<std::string>(ends.size(), file));
        EXPECT_EQ(g->get_CurrentPosition(), g->get_Duration()) << file;
        double duration = g->get_Duration();
        g.reset();
        return {heard(out), duration};
    }

    tc::StationLoop loop;
    std::unique_ptr<tc::AudioGraphFactory> factory = tc::makeDeviceAudio(loop, this);
    std::vector<std::string> ends;
    int outputs = 0;
};

// Volume in hundredths of a decibel scales the level; speed, how many frames
// the stream takes on the device.
TEST_F(DiskOutput, VolumeAndSpeedActOnTheOutput) {
    auto wav = soundfiles::tone("level.wav", 0.5);  // 4000 frames at half scale
    struct Case {
        long volume;
        double rate;
        float level;
        long frames;
    };
    for (auto [volume, rate, level, frames] : {Case{0, 1.0, 0.5f, 4000}, Case{-3000, 1.0, 0.5f * 0.0316228f, 4000},
                                               Case{0, 2.0, 0.5f, 2000}, Case{0, 0.5, 0.5f, 8000}}) {
        auto sound = playThrough(wav, volume, rate).first;
        EXPECT_NEAR(soundfiles::peak(sound), level, level * 0.01f) << volume << " " << rate;
        EXPECT_NEAR(soundingSpan(sound), onOutput(frames, 8000), 8) << volume << " " << rate;
    }
}

// A file lasts on the device exactly what the virtual clock was told (the
// WAV case is above, to the frame).
TEST_F(DiskOutput, EveryFormatPlaysToItsMeasuredLength) {
    auto virtualAudio = tc::makeVirtualAudio(loop, nullptr);
    for (const auto& file : {soundfiles::lame("each.mp3", 0.4, 44100, 1, "-t"), soundfiles::mp2("each.mp2", 0.4),
                             soundfiles::bytes("each.mid", soundfiles::midi(0, 480, {soundfiles::note(0, 384)}))}) {
        ends.clear();
        auto measured = virtualAudio->NewGraph();
        measured->RenderFile(file);
        auto [sound, duration] = playThrough(file);
        EXPECT_EQ(duration, measured->get_Duration()) << file;
        EXPECT_GT(soundfiles::peak(sound), 0.05f) << file;
        EXPECT_LE(soundingSpan(sound), std::lround(measured->get_Duration() * tc::sound::SoundDevice::kRate)) << file;
    }
}

TEST_F(DiskOutput, StopHoldsThePositionAndRunGoesOnToTheEnd) {
    auto g = graphFor(soundfiles::tone("pause.wav", 1.0), "pause.raw");
    device().setLingerMs(60000);  // the output stays open over the pause, all in one file
    g->Run();
    ASSERT_TRUE(eventually([&] { return g->get_CurrentPosition() > 0.3; }));
    g->Stop();
    double held = -1;
    ASSERT_TRUE(eventually([&] {  // the device fades out within a period or two
        double before = g->get_CurrentPosition();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        return (held = g->get_CurrentPosition()) == before;
    }));
    loop.runUntil(loop.nowMs() + 100);
    EXPECT_EQ(g->get_CurrentPosition(), held);
    EXPECT_TRUE(ends.empty());
    g->Run();
    // Read with the loop at rest (its watch never looks): once the position
    // reads the end, the end has been told, before the supervisor releases
    // the transmitter on it.
    ASSERT_TRUE(eventually([&] { return g->get_CurrentPosition() == 1.0; }));
    EXPECT_EQ(ends.size(), 1u);
    g.reset();
    // Every frame once: the pause only added silence in between.
    device().setLingerMs(20);
    auto out = heard("pause.raw");
    auto first = std::find_if(out.begin(), out.end(), sounds);
    auto last = std::find_if(out.rbegin(), out.rend(), sounds).base();
    long pause = 0;
    for (long run = 0; first < last; ++first) pause = std::max(pause, run = sounds(*first) ? 0 : run + 1);
    EXPECT_GT(pause, 100);
    EXPECT_NEAR(soundingSpan(out) - pause, onOutput(8000, 8000), 8);
}

TEST_F(DiskOutput, MorseSoundsForAsLongAsItIsKeyedAndNeedsAnOutput) {
    setenv("SDL_DISKAUDIOFILE", soundfiles::path("cw.raw").c_str(), 1);
    {
        tc::sound::CwSounder sounder;
        ASSERT_TRUE(sounder.send("E E"));
        EXPECT_TRUE(eventually([&] { return !sounder.sounding(); }));
    }
    EXPECT_NEAR(soundingSpan(heard("cw.raw")), 9 * 48000 * 60 / 1000, 5);  // dot, word gap, dot
}

// The output goes away: the stream that was to sound ends at once, where it
// would have ended (a transmission never waits for a sound that cannot
// come); later streams are refused until an output opens again.
TEST_F(DiskOutput, WithoutAnOutputAStreamEndsAtOnceAndTheNextIsRefusedUntilOneOpens) {
    auto tone = soundfiles::tone("nowhere.wav", 3.0);
    ASSERT_TRUE(closed());
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto g = factory->NewGraph();
    g->RenderFile(tone);
    g->Run();
    ASSERT_TRUE(playedOnce());
    EXPECT_EQ(ends, std::vector<std::string>{tone});
    EXPECT_EQ(g->get_CurrentPosition(), 3.0);

    auto next = factory->NewGraph();
    EXPECT_THROW(next->RenderFile(tone), tc::RuntimeError);
    EXPECT_THROW(next->Run(), tc::RuntimeError);
    EXPECT_FALSE(tc::sound::CwSounder().send("K"));

    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", soundfiles::path("back.raw").c_str(), 1);
    EXPECT_TRUE(eventually([&] {
        try {
            factory->NewGraph()->RenderFile(tone);
            return true;
        } catch (const tc::RuntimeError&) {
            return false;
        }
    }));
}

}  // namespace

// The pre-roll runs at the station's real-time priority where the system
// allows it, and the thread is put back as it was: a windowed station's
// thread must not stay on real-time scheduling after an ident.
TEST(PreRollPriority, TheWaitRunsAtLeastAtTheStationsPriorityAndTheThreadIsPutBack) {
    auto policyNow = [] {
        int policy = -1;
        sched_param p{};
        pthread_getschedparam(pthread_self(), &policy, &p);
        return std::make_pair(policy, p.sched_priority);
    };
    bool allowed = false;  // real-time scheduling, as this machine grants it
    std::thread([&] { allowed = tc::sound::toOutputPriority(); }).join();
    for (bool startRaised : {false, true}) {
        if (startRaised && !allowed) continue;
        std::thread([&] {
            if (startRaised) tc::sound::toOutputPriority();
            const auto before = policyNow();
            std::pair<int, int> during{};
            tc::sound::runAboveOthers([&] { during = policyNow(); });
            EXPECT_EQ(policyNow(), before) << startRaised;
            EXPECT_EQ(during, startRaised || !allowed ? before : std::make_pair(SCHED_FIFO, 10)) << startRaised;
        }).join();
    }
}
