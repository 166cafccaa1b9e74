// The virtual clock's timers, as the anti-kerchunker relies on them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StationLoop.h"

namespace {

TEST(StationLoop, TimersTickOnTheirIntervalAndStopThemselves) {
    tc::StationLoop loop;
    std::vector<std::int64_t> ticks;
    auto t = loop.newTimer(100, true);
    t->onTick = [&] {
        ticks.push_back(loop.nowMs());
        if (ticks.size() == 3) t->setEnabled(false);
    };
    loop.runUntil(1000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 200, 300}));
    EXPECT_EQ(loop.nowMs(), 1000);
}

TEST(StationLoop, EnablingARunningTimerKeepsItsCountdown) {
    tc::StationLoop loop;
    std::vector<std::int64_t> ticks;
    auto t = loop.newTimer(500, true);
    t->onTick = [&] { ticks.push_back(loop.nowMs()); };
    loop.post(300, tc::Lane::Outside, [&] { t->setEnabled(true); });
    loop.post(1200, tc::Lane::Outside, [&] { t->setInterval(400); });  // restarts from 1200
    loop.runUntil(2000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{500, 1000, 1600, 2000}));
}

TEST(StationLoop, SameMillisecondRunsDeviceThenOutsideThenTimers) {
    tc::StationLoop loop;
    std::string order;
    auto t = loop.newTimer(100, true);
    t->onTick = [&] { order += "T"; };
    loop.post(100, tc::Lane::Outside, [&] { order += "O"; });
    loop.post(100, tc::Lane::Device, [&] { order += "D"; });
    loop.post(100, tc::Lane::Outside, [&] { order += "o"; });
    loop.runUntil(100);
    EXPECT_EQ(order, "DOoT");
}

TEST(StationLoop, ZeroIntervalOrDestroyedTimersNeverTickAndStopEndsTheRun) {
    tc::StationLoop loop;
    int ticks = 0;
    auto t = loop.newTimer(0, true);
    t->onTick = [&] { ++ticks; };
    loop.newTimer(10, true)->onTick = [&] { ++ticks; };  // destroyed at once
    auto u = loop.newTimer(10, true);
    u->onTick = [&] {
        if (loop.nowMs() == 50) loop.stop();
    };
    loop.runUntil(1000);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(loop.nowMs(), 50);
}

TEST(StationLoop, PendingEventsRunWithoutMovingTheClock) {
    tc::StationLoop loop;
    loop.runUntil(500);
    int ran = 0;
    loop.post(400, tc::Lane::Outside, [&] { ++ran; });  // already due
    loop.post(600, tc::Lane::Outside, [&] { ++ran; });
    loop.processPendingEvents();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(loop.nowMs(), 500);
}

}  // namespace
