// No open box holds the transmitter: while a message box waits for the
// operator, the windowed program's timers go on, on Qt's real clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "qt/Station.h"

namespace tc {
namespace {

TEST(OpenBox, TheRenderErrorBoxLeavesTheSupervisorReleasingTheTransmitter) {
    test::Station s("RFTONE=/nowhere/missing.wav\nOPTION1=False\nOPTION2=True\n", true);
    SimulatedStation& station = s.station;
    Form21& form = s.form;

    // What the transmitter does, and whether a box was up as it did it.
    struct Keying : HostListener {
        std::vector<std::string> seen;
        void transmitterChanged(bool keyed) override {
            seen.push_back(std::string(keyed ? "keyed" : "released") +
                           (QApplication::activeModalWidget() ? " in the box" : ""));
        }
    } keying;
    station.addListener(&keying);
    int ticks = 0;
    auto supervisor = form.panel.Timer4->onTick;
    form.panel.Timer4->onTick = [&] {
        ++ticks;
        supervisor();
    };
    // While the box is up the supervisor ticks on; after ten ticks with the
    // transmitter let go, the operator answers the box.
    int ticksAtBox = -1, ticksInBox = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (ticksAtBox < 0) ticksAtBox = ticks;
        ticksInBox = ticks - ticksAtBox;
        if (ticksInBox >= 10 && !station.keyed()) box->accept();
    });
    watch.start(5);
    form.click("Command7");  // the RF Test button, with the RF tone missing
    EXPECT_GE(ticksInBox, 10);
    ASSERT_GE(keying.seen.size(), 2u);
    EXPECT_EQ(keying.seen[0], "keyed") << "the test keys the transmitter before it loads the tone";
    EXPECT_EQ(keying.seen[1], "released in the box") << "the supervisor lets it go while the box is up";
    EXPECT_EQ(std::count(keying.seen.begin(), keying.seen.end(), "keyed in the box"), 0);
    // Answered, the test keys once more as it goes on; the next tick lets go.
    QTimer ceiling;
    ceiling.start(10000);
    while (station.keyed() && ceiling.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(station.keyed());
    EXPECT_FALSE(form.ended());
    station.removeListener(&keying);
}

}  // namespace
}  // namespace tc
