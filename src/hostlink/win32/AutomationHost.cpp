#include "hostlink/win32/AutomationHost.h"

#include "platform/win32/ComError.h"
#include "hostlink/win32/EventIds.h"
#include "hostlink/win32/HostEventSink.h"

namespace tc::win32 {

AutomationHost::AutomationHost(EventLoop& loop, ComPtr<IDispatch> host) : loop_(loop), host_(std::move(host)) {}

AutomationHost::~AutomationHost() { unadvise(); }

void AutomationHost::SetPTT(bool keyed) {
    std::vector<Variant> args;
    args.push_back(Variant::boolean(keyed));
    host_.call("SetPTT", std::move(args));
}

bool AutomationHost::GetPTT() { return toBool(*host_.get("GetPTT")); }

bool AutomationHost::GetCarrierDetect() { return toBool(*host_.get("GetCarrierDetect")); }

void AutomationHost::SendCW(int mode, const std::string& text) {
    std::vector<Variant> args;
    args.push_back(Variant::integer(static_cast<short>(mode)));
    args.push_back(Variant::text(text));
    host_.call("SendCW", std::move(args));
}

StationInfo AutomationHost::GetStationInfo() {
    Variant info = host_.get("StationInfo");
    ComPtr<IDispatch> object;
    const VARIANT& v = *info;
    if (v.vt == VT_DISPATCH && v.pdispVal)
        object = v.pdispVal;
    else if (v.vt == VT_UNKNOWN && v.punkVal)
        check(v.punkVal->QueryInterface(IID_PPV_ARGS(&object)));
    else
        throw err::objectNotSet();
    LateBound station(object);
    return StationInfo{toText(*station.get("StationCallsign"))};
}

void AutomationHost::SendChatText(const std::string& text) {
    std::vector<Variant> args;
    args.push_back(Variant::text(text));
    host_.call("SendChatText", std::move(args));
}

void AutomationHost::Advise(HostEvents* target) {
    unadvise();
    if (!target) return;
    ComPtr<IConnectionPointContainer> container;
    check(host_.object()->QueryInterface(IID_PPV_ARGS(&container)));
    ComPtr<IConnectionPoint> point;
    check(container->FindConnectionPoint(kHostEventsInterface, &point));
    ComPtr<HostEventSink> sink;
    sink.Attach(new HostEventSink(loop_, *target, EventIds::of(host_.object())));
    DWORD cookie = 0;
    check(point->Advise(sink.Get(), &cookie));
    point_ = point;
    sink_ = sink;
    cookie_ = cookie;
}

void AutomationHost::unadvise() {
    if (sink_) sink_->detach();
    if (point_) point_->Unadvise(cookie_);  // a host that has gone away cannot be told: nothing to do then
    point_.Reset();
    sink_.Reset();
    cookie_ = 0;
}

std::shared_ptr<HostLink> AutomationHosts::CreateObject() {
    ComPtr<IDispatch> host;
    if (FAILED(CoCreateInstance(class_, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&host))))
        throw err::cannotCreateObject();
    return std::make_shared<AutomationHost>(loop_, std::move(host));
}

}  // namespace tc::win32
