#include <gtest/gtest.h>

#include <QElapsedTimer>
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

TEST_F(QtEventLoopTest, EnablingARunningTimerKeepsItsCountdownAndANewIntervalRestartsIt) {
    auto timer = loop.newTimer(400, true);
    QElapsedTimer since;
    since.start();
    std::int64_t tickedAt = -1;
    timer->onTick = [&] {
        if (tickedAt < 0) tickedAt = since.elapsed();
    };
    QTest::qWait(200);
    timer->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tickedAt >= 0; }, 3000));
    EXPECT_LT(tickedAt, 550);  // at 400, not at 200 + 400

    tickedAt = -1;
    since.restart();
    QTest::qWait(200);
    timer->setInterval(400);  // counting starts again from here
    EXPECT_TRUE(QTest::qWaitFor([&] { return tickedAt >= 0; }, 3000));
    EXPECT_GE(tickedAt, 500);  // at 200 + 400, not at 400
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
