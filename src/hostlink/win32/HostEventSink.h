#pragma once
#include <windows.h>
#include <oaidl.h>

#include <atomic>

#include "hostlink/win32/EventIds.h"

namespace tc {
class EventLoop;
class HostEvents;
}  // namespace tc

namespace tc::win32 {

// Receives the host's events through the connection point and hands them
// to the main window's handlers on the logic thread. Invoke only copies the
// event's argument and posts it: the handler runs from the event loop, so
// it never runs inside a call that another handler is waiting on, and the
// host is released at once.
class HostEventSink final : public IDispatch {
public:
    HostEventSink(EventLoop& loop, HostEvents& target, EventIds ids);

    // The window lets go of the events: those still on their way are dropped.
    void detach() { target_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: only Invoke; the host knows the interface from its own library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

private:
    ~HostEventSink() = default;
    template <class Deliver>
    void post(Deliver deliver);

    std::atomic<ULONG> refs_{1};
    EventLoop& loop_;
    HostEvents* target_;
    EventIds ids_;
};

}  // namespace tc::win32
