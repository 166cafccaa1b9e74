// Needs an audio output: under Wine, ALSA pointed at a null device.
#include <gtest/gtest.h>

#include "WavBytes.h"
#include "core/NumberText.h"
#include "core/RuntimeError.h"
#include "ui/win32/WinEventLoop.h"
#include "core/PlaybackListener.h"
#include "support/TempDir.h"
#include "transmit/win32/DirectShowGraph.h"

using tc::win32::DirectShowGraph;
using tc::win32::WinEventLoop;

namespace {

struct Ends : tc::PlaybackListener {
    std::vector<std::string> paths;
    void played(const std::string& path) override { paths.push_back(path); }
};

// Runs the loop until the listener has heard count ends, or for at most limitMs.
void runUntilEnds(WinEventLoop& loop, const Ends& ends, size_t count, int limitMs) {
    auto give = loop.newTimer(limitMs, true);
    give->onTick = [&loop] { loop.stop(); };
    auto check = loop.newTimer(10, true);
    check->onTick = [&] {
        if (ends.paths.size() >= count) loop.stop();
    };
    loop.run();
}

class DirectShow : public testing::Test {
protected:
    TempDir dir;
    std::string tone = wavBytes(1, 1, 8000, 16, 4000, 4000).save(dir.file("tone.wav"));  // a quarter of a second
    WinEventLoop loop;
    Ends ends;
};

}  // namespace

TEST_F(DirectShow, PlaysAWavToItsEndWherePositionEqualsDuration) {
    DirectShowGraph graph(&loop, &ends);
    graph.RenderFile(tone);
    const double duration = graph.get_Duration();
    EXPECT_DOUBLE_EQ(duration, 0.25);
    EXPECT_EQ(graph.get_CurrentPosition(), 0.0);

    graph.Run();
    graph.put_CurrentPosition(0);
    graph.put_Volume(-1540);
    EXPECT_EQ(graph.get_Volume(), -1540);
    runUntilEnds(loop, ends, 1, 3000);

    ASSERT_EQ(ends.paths, std::vector<std::string>{tone});
    // The supervisor compares these texts to know the ident is over.
    EXPECT_EQ(tc::numberText(graph.get_CurrentPosition()), tc::numberText(duration));
    Sleep(100);
    EXPECT_EQ(graph.get_CurrentPosition(), duration);  // and it stays there

    // Running again from the end plays nothing; stopped and sought to the
    // start, it plays again and ends again.
    graph.Run();
    EXPECT_EQ(graph.get_CurrentPosition(), duration);
    graph.Stop();
    graph.put_CurrentPosition(0);
    EXPECT_EQ(graph.get_CurrentPosition(), 0.0);
    graph.Run();
    runUntilEnds(loop, ends, 2, 3000);
    EXPECT_EQ(ends.paths.size(), 2u);
    EXPECT_EQ(graph.get_CurrentPosition(), duration);

    // Read with the loop at rest (its watch never looks): once the position
    // reads the end, the end has been told, before the supervisor releases
    // the transmitter on it.
    graph.Stop();
    graph.put_CurrentPosition(0);
    graph.Run();
    for (int i = 0; i < 1000 && graph.get_CurrentPosition() < duration; ++i) Sleep(10);
    EXPECT_EQ(ends.paths.size(), 3u);
}

TEST_F(DirectShow, WhatCannotBeRenderedFailsAsARunTimeError) {
    const std::string broken = Bytes().text("RIFF????WAVEjunk").save(dir.file("broken.wav"));
    for (const std::string& path : {dir.file("missing.wav"), broken, dir.path()}) {
        DirectShowGraph graph(&loop, &ends);
        EXPECT_THROW(graph.RenderFile(path), tc::RuntimeError) << path;
        EXPECT_THROW(graph.Run(), tc::RuntimeError) << "nothing rendered: " << path;
        EXPECT_THROW(graph.get_Duration(), tc::RuntimeError);
    }
}

TEST_F(DirectShow, OneFilePerGraphVolumesOnlyInRangeAndAStoppedGraphIsToldNoEnd) {
    DirectShowGraph graph(&loop, &ends);
    graph.RenderFile(tone);
    EXPECT_THROW(graph.RenderFile(tone), tc::RuntimeError);
    for (long volume : {1L, -10001L}) EXPECT_THROW(graph.put_Volume(volume), tc::RuntimeError) << volume;
    graph.put_Volume(-10000);
    EXPECT_EQ(graph.get_Volume(), -10000);
    graph.Run();
    graph.Stop();
    const double stoppedAt = graph.get_CurrentPosition();
    runUntilEnds(loop, ends, 1, 600);
    EXPECT_TRUE(ends.paths.empty());
    EXPECT_LT(stoppedAt, graph.get_Duration());
}
