#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/RuntimeError.h"
#include "core/StationLoop.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFactories.h"

namespace {

using Ends = std::vector<std::int64_t>;

class VirtualGraph : public ::testing::Test, public tc::PlaybackListener {
protected:
    void SetUp() override { graph = newGraph(); }
    void played(const std::string& path) override {
        EXPECT_EQ(path, wav);
        ends.push_back(loop.nowMs());
    }
    std::shared_ptr<tc::AudioGraph> newGraph() {
        auto g = factory->NewGraph();
        g->RenderFile(wav);
        return g;
    }
    void at(std::int64_t ms) { loop.runUntil(ms); }

    tc::StationLoop loop;
    std::unique_ptr<tc::AudioGraphFactory> factory = tc::makeVirtualAudio(loop, this);
    std::string wav = soundfiles::tone("tone2500.wav", 2.5);  // 20000 frames at 8 kHz
    std::shared_ptr<tc::AudioGraph> graph;
    Ends ends;
};

// The end comes at the very millisecond the rate gives, once, and from then
// on the position is the duration.
TEST_F(VirtualGraph, EndsAtTheMillisecondTheRateGives) {
    for (auto [rate, endMs] : {std::pair{1.0, 2500}, {2.0, 1250}, {0.1, 25000}, {0.3, 8334}}) {
        auto g = newGraph();
        std::int64_t start = loop.nowMs() + 1000;
        at(start);
        ends.clear();
        g->Run();
        g->put_Rate(rate);
        at(start + endMs - 1);
        EXPECT_LT(g->get_CurrentPosition(), 2.5) << rate;
        EXPECT_TRUE(ends.empty()) << rate;
        at(start + endMs);
        EXPECT_EQ(ends, Ends{start + endMs}) << rate;
        EXPECT_EQ(g->get_CurrentPosition(), g->get_Duration()) << rate;
        at(start + endMs + 60000);
        EXPECT_EQ(ends.size(), 1u) << rate;
    }
    ends.clear();
    std::int64_t start = loop.nowMs();
    graph->Run();
    at(start + 1000);
    graph->put_Rate(2.0);  // 1.5 s left, gone in 750 ms
    at(start + 1300);
    EXPECT_EQ(graph->get_CurrentPosition(), 1.6);
    at(start + 5000);
    EXPECT_EQ(ends, Ends{start + 1750});
}

// Stop, a seek and the release each withdraw an end already announced; at
// the end Run plays nothing until a seek.
TEST_F(VirtualGraph, StopSeekAndReleaseWithdrawTheAnnouncedEnd) {
    graph->Run();
    at(1000);
    graph->Stop();
    at(5000);
    EXPECT_EQ(graph->get_CurrentPosition(), 1.0);
    graph->Run();
    graph->Run();  // a second Run changes nothing
    at(5200);
    EXPECT_EQ(graph->get_CurrentPosition(), 1.2);
    graph->put_CurrentPosition(0.5);
    EXPECT_EQ(graph->get_CurrentPosition(), 0.5);
    auto released = newGraph();
    released->Run();
    released.reset();
    at(10000);
    EXPECT_EQ(ends, Ends{7200});

    graph->Stop();
    graph->Run();
    at(11000);
    EXPECT_EQ(graph->get_CurrentPosition(), 2.5);
    graph->put_CurrentPosition(2);
    at(12000);
    graph->put_CurrentPosition(99);  // beyond the end: the end, at once
    EXPECT_EQ(graph->get_CurrentPosition(), 2.5);
    at(12000);
    graph->Stop();
    graph->put_CurrentPosition(2.5);  // stopped: nothing plays, nothing ends until Run
    at(13000);
    graph->Run();
    at(13000);
    EXPECT_EQ(ends, (Ends{7200, 11500, 12000, 13000}));
}

TEST_F(VirtualGraph, RefusesBadValuesAndEveryCallWithoutAFile) {
    graph->put_Volume(-3000);
    graph->put_Rate(0.5);
    for (long v : {1L, -10001L}) EXPECT_THROW(graph->put_Volume(v), tc::RuntimeError) << v;
    for (double r : {0.0, -1.0, 0.09, 2.01, std::nan("")}) EXPECT_THROW(graph->put_Rate(r), tc::RuntimeError) << r;
    for (double p : {-0.001, std::nan("")}) EXPECT_THROW(graph->put_CurrentPosition(p), tc::RuntimeError) << p;
    EXPECT_EQ(graph->get_Volume(), -3000);
    EXPECT_EQ(graph->get_Rate(), 0.5);
    EXPECT_THROW(graph->RenderFile(wav), tc::RuntimeError);  // a graph holds one file

    auto empty = factory->NewGraph();
    EXPECT_THROW(empty->RenderFile(soundfiles::path("missing.wav")), tc::RuntimeError);
    const std::function<void()> calls[] = {
        [&] { empty->Run(); },         [&] { empty->Stop(); },          [&] { empty->get_CurrentPosition(); },
        [&] { empty->get_Duration(); }, [&] { empty->put_CurrentPosition(0); }, [&] { empty->get_Volume(); },
        [&] { empty->put_Volume(0); }, [&] { empty->get_Rate(); },      [&] { empty->put_Rate(1); }};
    for (size_t i = 0; i < std::size(calls); ++i) EXPECT_THROW(calls[i](), tc::RuntimeError) << i;
    empty->RenderFile(wav);  // a failed render leaves room for another file
    EXPECT_EQ(empty->get_Duration(), 2.5);
}

}  // namespace
