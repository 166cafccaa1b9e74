#include <gtest/gtest.h>

#include <cmath>

#include "app/NumberText.h"
#include "app/RuntimeError.h"
#include "app/StationLoop.h"
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

TEST_F(VirtualGraph, ReachesTheDurationExactlyAtTheAnnouncedMillisecond) {
    at(1000);
    graph->Run();
    at(3499);
    EXPECT_EQ(graph->get_CurrentPosition(), 2.499);
    EXPECT_TRUE(ends.empty());
    at(3500);
    EXPECT_EQ(ends, Ends{3500});
    EXPECT_EQ(tc::numberText(graph->get_CurrentPosition()), tc::numberText(graph->get_Duration()));
    at(60000);
    EXPECT_EQ(graph->get_CurrentPosition(), 2.5);
    EXPECT_EQ(ends.size(), 1u);
}

TEST_F(VirtualGraph, RateScalesTheTimeToTheEnd) {
    for (auto [rate, endMs] : {std::pair{2.0, 1250}, {0.1, 25000}, {0.3, 8334}}) {
        auto g = newGraph();
        std::int64_t start = loop.nowMs();
        ends.clear();
        g->Run();
        g->put_Rate(rate);
        at(start + endMs - 1);
        EXPECT_LT(g->get_CurrentPosition(), 2.5) << rate;
        at(start + endMs);
        EXPECT_EQ(ends, Ends{start + endMs}) << rate;
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
}

TEST_F(VirtualGraph, AtTheEndRunPlaysNothingUntilASeek) {
    graph->Run();
    at(3000);
    graph->Stop();
    graph->Run();
    at(4000);
    EXPECT_EQ(graph->get_CurrentPosition(), 2.5);
    graph->put_CurrentPosition(2);
    at(5000);
    graph->put_CurrentPosition(99);  // beyond the end: the end, at once
    EXPECT_EQ(graph->get_CurrentPosition(), 2.5);
    at(5000);
    graph->Stop();
    graph->put_CurrentPosition(2.5);  // stopped: nothing plays, nothing ends until Run
    at(6000);
    graph->Run();
    at(6000);
    EXPECT_EQ(ends, (Ends{2500, 4500, 5000, 6000}));
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
    EXPECT_THROW(empty->Run(), tc::RuntimeError);
    EXPECT_THROW(empty->Stop(), tc::RuntimeError);
    EXPECT_THROW(empty->get_CurrentPosition(), tc::RuntimeError);
    EXPECT_THROW(empty->put_CurrentPosition(0), tc::RuntimeError);
    EXPECT_THROW(empty->get_Duration(), tc::RuntimeError);
    EXPECT_THROW(empty->get_Volume(), tc::RuntimeError);
    EXPECT_THROW(empty->put_Volume(0), tc::RuntimeError);
    EXPECT_THROW(empty->get_Rate(), tc::RuntimeError);
    EXPECT_THROW(empty->put_Rate(1), tc::RuntimeError);
    empty->RenderFile(wav);  // a failed render leaves room for another file
    EXPECT_EQ(empty->get_Duration(), 2.5);
}

}  // namespace
