#include <gtest/gtest.h>

#include <thread>

#include "ui/win32/WinEventLoop.h"

using tc::Lane;
using tc::win32::WinEventLoop;

namespace {

// Stops the loop after ms, whatever else happens.
std::unique_ptr<tc::Timer> stopAfter(WinEventLoop& loop, int ms) {
    auto t = loop.newTimer(ms, true);
    t->onTick = [&loop] { loop.stop(); };
    return t;
}

// What a foreign message loop does while the thread waits (COM's, during a
// call to another process): it dispatches whatever messages come.
void pumpLikeAModalLoop(int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    }
}

class WinLoop : public testing::Test {
protected:
    // Runs the loop until a handler stops it, or for at most ms.
    void run(int ms = 3000) {
        auto guard = stopAfter(loop, ms);
        loop.run();
    }

    WinEventLoop loop;
};

}  // namespace

TEST_F(WinLoop, PostedEventsRunInTimeThenLaneOrder) {
    std::string order;
    const auto now = loop.nowMs();
    loop.post(now + 60, Lane::Timers, [&] { order += "c"; });
    loop.post(now + 60, Lane::Device, [&] { order += "a"; });
    loop.post(now + 60, Lane::Outside, [&] { order += "b"; });
    loop.post(now + 20, Lane::Timers, [&] { order += "0"; });
    loop.post(now + 100, Lane::Outside, [&] {
        order += "!";
        loop.stop();
    });
    run();
    EXPECT_EQ(order, "0abc!");
}

TEST_F(WinLoop, NoHandlerRunsInsideAnotherWhileAForeignLoopPumps) {
    bool inHandler = false;
    int overlapping = 0, ticks = 0, events = 0;
    auto timer = loop.newTimer(20, true);
    timer->onTick = [&] {
        overlapping += inHandler;
        if (++ticks > 1) return;
        inHandler = true;
        loop.post(loop.nowMs(), Lane::Outside, [&] {
            overlapping += inHandler;
            ++events;
        });
        pumpLikeAModalLoop(200);  // ten intervals of the timer pass meanwhile
        inHandler = false;
    };
    run(400);
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(events, 1);
    EXPECT_GE(ticks, 2);
}

TEST_F(WinLoop, ProcessPendingEventsRunsWhatIsDueFromInsideAHandler) {
    std::string order;
    loop.post(loop.nowMs(), Lane::Outside, [&] {
        order += "[";
        loop.post(loop.nowMs(), Lane::Outside, [&] { order += "due"; });
        loop.post(loop.nowMs() + 5000, Lane::Outside, [&] { order += "later"; });
        loop.processPendingEvents();
        order += "]";
        loop.stop();
    });
    run();
    EXPECT_EQ(order, "[due]");
}

TEST_F(WinLoop, TicksThatPileUpDuringAHandlerCountOnce) {
    int ticks = 0;
    std::unique_ptr<tc::Timer> stop;
    auto timer = loop.newTimer(10, true);
    timer->onTick = [&] {
        if (++ticks == 1) Sleep(300);
        if (ticks == 2) stop = stopAfter(loop, 40);  // a busy machine only gives fewer ticks
    };
    run();
    EXPECT_LE(ticks, 7);  // not the thirty that fell due while it slept
}

// An interval of 0 never ticks; half-way, one timer is enabled again (its
// countdown goes on) and the other given its interval anew (it starts
// counting again): the order of their ticks shows it.
TEST_F(WinLoop, TimerRulesOfTheWindowTimers) {
    std::string order;
    auto zero = loop.newTimer(0, true);
    zero->onTick = [&] { order += "zero "; };
    auto kept = loop.newTimer(400, true), restarted = loop.newTimer(300, true), poke = loop.newTimer(200, true);
    kept->onTick = [&] { order += "kept "; kept->setEnabled(false); };
    restarted->onTick = [&] {
        order += "restarted ";
        loop.stop();
    };
    poke->onTick = [&] {
        poke->setEnabled(false);
        kept->setEnabled(true);       // due at 400 still
        restarted->setInterval(300);  // due at 500 now, not at 300
    };
    run(60000);
    EXPECT_EQ(order, "kept restarted ");
}

TEST_F(WinLoop, OtherThreadsHandTheirWorkToTheLoopThread) {
    const DWORD loopThread = GetCurrentThreadId();
    DWORD ranOn = 0;
    std::thread other([&] { loop.postFromAnyThread([&] {
        ranOn = GetCurrentThreadId();
        loop.stop();
    }); });
    run();
    other.join();
    EXPECT_EQ(ranOn, loopThread);
}
