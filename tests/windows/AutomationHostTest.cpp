// Against the stand-in host, registered by run.sh with timelines/host-test.tcs
// and its record in the file named by STANDIN_LOG.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/RuntimeError.h"
#include "ui/win32/WinEventLoop.h"
#include "hostlink/win32/AutomationHost.h"
#include "hostlink/win32/EventIds.h"
#include "support/TempDir.h"

using tc::win32::AutomationHosts;
using tc::win32::WinEventLoop;

namespace {

class Window : public tc::HostEvents {
public:
    Window(WinEventLoop& loop, tc::HostLink*& host) : loop_(loop), host_(host) {}
    std::vector<std::string> events;

    void RX(bool on) override { events.push_back(std::string("RX ") + (on ? "True" : "False")); }
    void CarrierDetect(bool on) override {
        // The host answers from inside the handler: it is not in the middle of a call.
        events.push_back(std::string("CarrierDetect ") + (on ? "True" : "False") + " now " +
                         (host_->GetCarrierDetect() ? "present" : "absent"));
    }
    void Closing() override {
        events.push_back("Closing");
        loop_.stop();
    }
    void ChatTextReceived(const std::string& text) override { events.push_back("Chat " + text); }

private:
    WinEventLoop& loop_;
    tc::HostLink*& host_;
};

// A host object that will not describe itself, as some hosts' objects will not.
struct Reticent : IDispatch {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

}  // namespace

TEST(AutomationHost, EventsReachTheWindowByNameInOrderOnTheLoop) {
    WinEventLoop loop;
    AutomationHosts hosts(loop);
    auto host = hosts.CreateObject();
    tc::HostLink* raw = host.get();
    Window window(loop, raw);
    host->Advise(&window);
    EXPECT_EQ(host->GetStationInfo().StationCallsign, "N0CALL-R");
    auto guard = loop.newTimer(60000, true);  // a ceiling only: Closing, the last event, ends the wait
    guard->onTick = [&loop] { loop.stop(); };
    loop.run();
    EXPECT_EQ(window.events, (std::vector<std::string>{"CarrierDetect True now present", "Chat say \"hi\" \\ /ver/",
                                                       "RX True", "RX False", "CarrierDetect False now absent",
                                                       "Closing"}));
}

TEST(AutomationHost, OperationsArriveAsTheHostTakesThem) {
    WinEventLoop loop;
    {
        auto host = AutomationHosts(loop).CreateObject();
        host->SetPTT(true);
        EXPECT_TRUE(host->GetPTT());
        host->SetPTT(false);
        EXPECT_FALSE(host->GetPTT());
        host->SendCW(0, "K");
        host->SendChatText("Tailchime  v2.0.1");
        try {
            host->SendCW(1, "K");  // the host knows mode 0 only
            ADD_FAILURE() << "a refused call must raise the run-time error";
        } catch (const tc::RuntimeError& e) {
            EXPECT_EQ(e.number(), static_cast<int>(E_INVALIDARG));
        }
    }
    std::string record = readFile(std::getenv("STANDIN_LOG") ? std::getenv("STANDIN_LOG") : "");
    std::erase(record, '\r');  // written as Windows text
    // True is a 16-bit -1.
    for (const char* call : {"SetPTT bool -1\n", "SetPTT bool 0\n", "SendCW i2 0 bstr \"K\"\n",
                             "SendChatText bstr \"Tailchime  v2.0.1\"\n"})
        EXPECT_NE(record.find(std::string("call ") + call), std::string::npos) << call;
}

TEST(AutomationHost, NoHostMeansTheRuntimesCannotCreateError) {
    WinEventLoop loop;
    const GUID nobody = {0x0badc0de, 0x1234, 0x4321, {1, 2, 3, 4, 5, 6, 7, 8}};
    try {
        AutomationHosts(loop, nobody).CreateObject();
        ADD_FAILURE() << "created a class nobody registered";
    } catch (const tc::RuntimeError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_STREQ(e.what(), "ActiveX component can't create object");
    }
}

TEST(AutomationHost, EventIdsComeFromTheRegisteredLibraryWhenTheObjectWillNotSay) {
    Reticent host;
    const auto ids = tc::win32::EventIds::of(&host);
    // The stand-in's own, deliberately out of order.
    EXPECT_EQ((std::vector<long>{ids.RX, ids.CarrierDetect, ids.Closing, ids.ChatTextReceived}),
              (std::vector<long>{0x05, 0x0b, 0x02, 0x21}));
}
