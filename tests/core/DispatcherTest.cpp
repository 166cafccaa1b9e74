// What the dispatcher does with a handler's failure: resume-next steps go
// on, anything else ends the program with one report.
#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "core/Dispatcher.h"
#include "core/HostRef.h"
#include "core/Transcript.h"
#include "program/headless/HeadlessDesktop.h"

namespace {

// A host whose every call fails, to show what each kind of handler does with a failure.
class DeadHost : public tc::HostLink {
public:
    void SetPTT(bool) override { fail(); }
    bool GetPTT() override { fail(); }
    bool GetCarrierDetect() override { fail(); }
    void SendCW(int, const std::string&) override { fail(); }
    tc::StationInfo GetStationInfo() override { return {"DEAD-1"}; }
    void SendChatText(const std::string&) override { fail(); }
    void Advise(tc::HostEvents*) override {}

private:
    [[noreturn]] static void fail() { throw tc::RuntimeError(-2147023174, "The RPC server is unavailable"); }
};

// A desktop whose message boxes let one more handler run while they are up,
// as the station's ticks do while a box waits for the operator.
class BusyBoxes : public tc::HeadlessDesktop {
public:
    using HeadlessDesktop::HeadlessDesktop;
    std::function<void()> whileUp;
    void MsgBox(const std::string& text, int style, const std::string& title) override {
        HeadlessDesktop::MsgBox(text, style, title);
        if (auto run = std::exchange(whileUp, nullptr)) run();
    }
};

class Dispatcher : public ::testing::Test {
protected:
    Dispatcher() { echoLink.set(std::shared_ptr<tc::HostLink>(std::shared_ptr<tc::HostLink>{}, &host)); }
    const std::string kReport =
        "0 message 48 \"Tailchime\" \"Run-time error '-2147023174': The RPC server is unavailable\"\n0 exit\n";
    std::ostringstream out;
    tc::Transcript transcript{out, [] { return 0; }};
    BusyBoxes desktop{transcript, {}, {}};
    DeadHost host;
    tc::Dispatcher dispatcher{desktop};
    tc::HostRef echoLink;
};

TEST_F(Dispatcher, EachKindOfHandlerMeetsAFailureItsOwnWay) {
    int stepsRun = 0;
    dispatcher.noTrap([&] {
        tc::resumeNext([&] { echoLink->SetPTT(true); });
        ++stepsRun;  // resume-next: the failing step is skipped, the handler goes on
        tc::resumeNext([&] { echoLink->SendCW(0, "K"); });
        ++stepsRun;
    });
    EXPECT_EQ(stepsRun, 2);
    EXPECT_FALSE(dispatcher.ended());

    dispatcher.noTrap([&] {
        echoLink->GetCarrierDetect();  // no trap: the failure ends the program
        ++stepsRun;
    });
    EXPECT_EQ(stepsRun, 2);
    EXPECT_TRUE(dispatcher.ended());
    EXPECT_EQ(out.str(), kReport);
    dispatcher.noTrap([&] { ++stepsRun; });
    EXPECT_EQ(stepsRun, 2) << "no handler runs after the end";
}

TEST_F(Dispatcher, OneFailureOneReportWhileTheStationRunsOnUnderIt) {
    int ticksUnderTheReport = 0;
    desktop.whileUp = [&] {
        dispatcher.noTrap([&] { ++ticksUnderTheReport; });  // the station runs on
        dispatcher.noTrap([&] { echoLink->SetPTT(false); });  // and fails again: no second box
    };
    dispatcher.noTrap([&] { echoLink->GetPTT(); });
    EXPECT_EQ(ticksUnderTheReport, 1);
    EXPECT_TRUE(dispatcher.ended());
    EXPECT_EQ(out.str(), kReport);
}

// A handler that reaches for the host before it is set meets the run-time
// error any unset object variable gives.
TEST_F(Dispatcher, AnUnsetHostObjectFailsLikeAnyCall) {
    tc::HostRef unset;
    dispatcher.noTrap([&] { unset->GetPTT(); });
    EXPECT_EQ(out.str(), "0 message 48 \"Tailchime\" \"Run-time error '91': Object variable or With block variable "
                         "not set\"\n0 exit\n");
}

}  // namespace
