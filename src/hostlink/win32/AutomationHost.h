#pragma once
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "core/HostLink.h"
#include "hostlink/win32/HostClasses.h"
#include "platform/win32/LateBound.h"

namespace tc {
class EventLoop;
}

namespace tc::win32 {

class HostEventSink;

// The host program's automation object, reached across processes through
// COM from this single-threaded apartment. The six operations go by name
// through IDispatch; the events come through the connection point of the
// events interface and are handed to the logic thread by HostEventSink.
class AutomationHost final : public HostLink {
public:
    AutomationHost(EventLoop& loop, ComPtr<IDispatch> host);
    ~AutomationHost() override;

    void SetPTT(bool keyed) override;
    bool GetPTT() override;
    bool GetCarrierDetect() override;
    void SendCW(int mode, const std::string& text) override;
    StationInfo GetStationInfo() override;
    void SendChatText(const std::string& text) override;
    void Advise(HostEvents* sink) override;

private:
    void unadvise();

    EventLoop& loop_;
    LateBound host_;
    ComPtr<IConnectionPoint> point_;
    ComPtr<HostEventSink> sink_;
    DWORD cookie_ = 0;
};

// Creates host objects by the host's class id: the running host program, or
// a copy that COM starts. When the class cannot be created (the host is not
// installed or not registered for automation) the automation runtime's
// "can't create object" error is raised.
class AutomationHosts final : public HostLinkFactory {
public:
    explicit AutomationHosts(EventLoop& loop, const GUID& hostClass = kHostClass) : loop_(loop), class_(hostClass) {}
    std::shared_ptr<HostLink> CreateObject() override;

private:
    EventLoop& loop_;
    GUID class_;
};

}  // namespace tc::win32
