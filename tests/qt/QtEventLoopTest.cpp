#include <gtest/gtest.h>

#include <QTest>
#include <csignal>
#include <cstdlib>

#include "core/RuntimeError.h"
#include "core/StopSignals.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/QtEventLoop.h"

namespace tc {
namespace {

// The Qt clock runs in real time: these tests wait for what must happen
// with a generous deadline and let a short span pass for what must not.
class QtEventLoopTest : public ::testing::Test {
protected:
    HeldEnd held;
    QtEventLoop loop{held};
};

TEST_F(QtEventLoopTest, TimersTickAtTheirIntervalOnlyWhileEnabledAndNeverAtZero) {
    auto timer = loop.newTimer(20, true);
    int ticks = 0;
    timer->onTick = [&] { ++ticks; };
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    timer->setEnabled(false);
    int stopped = ticks;
    QTest::qWait(80);
    EXPECT_EQ(ticks, stopped);
    EXPECT_FALSE(timer->enabled());

    timer->setEnabled(true);
    timer->setInterval(0);  // enabled, yet silent
    stopped = ticks;
    QTest::qWait(60);
    EXPECT_EQ(ticks, stopped);
    EXPECT_TRUE(timer->enabled());
    timer->setInterval(10);  // enabled all along: it starts now
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > stopped; }, 2000));
}

// Half-way, one timer is enabled again and the other given its interval
// anew: the first keeps its countdown, the second starts counting again,
// and the order of their ticks shows it.
TEST_F(QtEventLoopTest, EnablingARunningTimerKeepsItsCountdownAndANewIntervalRestartsIt) {
    auto kept = loop.newTimer(400, true), restarted = loop.newTimer(300, true), poke = loop.newTimer(200, true);
    std::string order;
    kept->onTick = [&] { order += "kept "; kept->setEnabled(false); };
    restarted->onTick = [&] { order += "restarted "; restarted->setEnabled(false); };
    poke->onTick = [&] {
        poke->setEnabled(false);
        kept->setEnabled(true);       // due at 400 still
        restarted->setInterval(300);  // due at 500 now, not at 300
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return order == "kept restarted " || order == "restarted kept "; }, 20000));
    EXPECT_EQ(order, "kept restarted ");
}

TEST_F(QtEventLoopTest, PostedWorkRunsWhenDueAndPendingEventsCarryAnEndOut) {
    std::vector<int> order;
    loop.post(loop.nowMs() + 40, Lane::Outside, [&] { order.push_back(2); });
    loop.post(loop.nowMs(), Lane::Outside, [&] { order.push_back(1); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() == 2; }, 2000));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));

    // A handler run while another waits for the network ends the program:
    // the waiting one learns of it when its wait returns, and nothing
    // else runs in between.
    bool after = false;
    loop.post(loop.nowMs(), Lane::Outside, [] { throw EndProgram{}; });
    loop.post(loop.nowMs(), Lane::Outside, [&] { after = true; });
    QTest::qWait(20);
    EXPECT_THROW(loop.processPendingEvents(), EndProgram);
    EXPECT_FALSE(after);
}

// Counts the timer events of the whole program.
class TimerEvents : public QObject {
public:
    TimerEvents() { QCoreApplication::instance()->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Timer) ++count;
        return false;
    }
};

TEST_F(QtEventLoopTest, AStopSignalWakesTheLoopThatNeverLooksForOneMeanwhile) {
    {
        int stops = 0;
        StopWatch watch(loop, [&] { return ++stops > 0; });
        TimerEvents timers;
        QTest::qWait(300);  // twenty times a second it would have looked
        EXPECT_EQ(timers.count, 0);
        EXPECT_EQ(stops, 0);
    }
    // The signal's mark stays for the rest of the process: raised in a child of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int stops = 0;
            // The first stop comes before the program can do it: it is tried again.
            StopWatch watch(loop, [&] { return ++stops == 2; });
            std::raise(SIGTERM);
            const bool done = QTest::qWaitFor([&] { return stops >= 2; }, 20000);
            QTest::qWait(200);
            std::_Exit(done && stops == 2 ? 0 : 1);  // no teardown of the Qt application in the child
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tc
