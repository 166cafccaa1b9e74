#pragma once
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <optional>
#include <set>
#include <string>

#include "Record.h"
#include "program/headless/Script.h"
#include "hostlink/SimulatedStation.h"

namespace tc::win32 {
class WinEventLoop;
}

namespace standin {

class HostObject;

// The stand-in host program: one station (the simulated station of the
// headless runner, on real time), shared by every object its clients
// create, and the timeline that plays the outside world. The timeline
// starts when the first client connects to the events, so that none of them
// is raised to nobody however long the client takes to get there (a host
// raises an event only to those connected). It plays in order, each
// statement its timeline's time after the one before, and none while the
// program keys the transmitter or has CW going out: what the program does
// in answer to one event is done before the next comes, however busy the
// machine. The server ends at the timeline's `end`,
// ten seconds after its last statement, or when its last object is
// released, whichever comes first.
class Server final : public tc::HostEvents {
public:
    static constexpr std::int64_t kRunOutMs = 10000;

    Server(tc::win32::WinEventLoop& loop, Record& record, std::optional<tc::Script> timeline, ITypeLib* library,
           bool ownTypeInfo);

    tc::SimulatedStation station;
    Record& record;
    ITypeLib* library() const { return library_.Get(); }
    // Whether objects describe themselves (GetTypeInfo); some hosts do not.
    bool ownTypeInfo() const { return ownTypeInfo_; }

    // Lifetime of the server: objects and client locks.
    void objectCreated(HostObject* host);
    void objectReleased(HostObject* host);
    // A client has connected to the events.
    void clientListening();
    void lock();
    void unlock();

    // The station's events, raised to every connected client.
    void RX(bool bRX) override;
    void CarrierDetect(bool bCD) override;
    void Closing() override;
    void ChatTextReceived(const std::string& sText) override;

private:
    void startTimeline();
    void playFrom(size_t next);
    void perform(const tc::Statement& s);
    void raise(const wchar_t* name, const char* shown, VARIANT* argument);

    tc::win32::WinEventLoop& loop_;
    std::optional<tc::Script> timeline_;
    Microsoft::WRL::ComPtr<ITypeLib> library_;
    Microsoft::WRL::ComPtr<ITypeInfo> events_;
    bool ownTypeInfo_;
    bool started_ = false;
    std::int64_t lastAt_ = 0;         // the timeline's time of the statement played last
    std::int64_t lastPlayedMs_ = 0;  // when it was played
    int references_ = 0;
    std::set<HostObject*> hosts_;
};

}  // namespace standin
