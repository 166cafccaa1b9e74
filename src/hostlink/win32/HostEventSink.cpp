#include "hostlink/win32/HostEventSink.h"

#include <wrl/client.h>

#include "core/EventLoop.h"
#include "core/RuntimeError.h"
#include "core/HostLink.h"
#include "hostlink/win32/HostClasses.h"
#include "platform/win32/Variant.h"

namespace tc::win32 {

HostEventSink::HostEventSink(EventLoop& loop, HostEvents& target, EventIds ids)
    : loop_(loop), target_(&target), ids_(ids) {}

HRESULT STDMETHODCALLTYPE HostEventSink::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kHostEventsInterface) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE HostEventSink::AddRef() { return ++refs_; }

ULONG STDMETHODCALLTYPE HostEventSink::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE HostEventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE HostEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

template <class Deliver>
void HostEventSink::post(Deliver deliver) {
    Microsoft::WRL::ComPtr<HostEventSink> self(this);
    loop_.post(loop_.nowMs(), Lane::Outside, [self, deliver] {
        if (self->target_) deliver(*self->target_);
    });
}

HRESULT STDMETHODCALLTYPE HostEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                EXCEPINFO*, UINT*) {
    if (id == DISPID_UNKNOWN) return DISP_E_MEMBERNOTFOUND;
    const bool takesArgument = id == ids_.RX || id == ids_.CarrierDetect || id == ids_.ChatTextReceived;
    if (takesArgument && (!params || params->cArgs < 1)) return DISP_E_BADPARAMCOUNT;
    // The event's one argument is the last in rgvarg (they come last to first).
    const VARIANT* argument = takesArgument ? &params->rgvarg[params->cArgs - 1] : nullptr;
    try {
        if (id == ids_.RX) {
            const bool on = toBool(*argument);
            post([on](HostEvents& t) { t.RX(on); });
        } else if (id == ids_.CarrierDetect) {
            const bool on = toBool(*argument);
            post([on](HostEvents& t) { t.CarrierDetect(on); });
        } else if (id == ids_.ChatTextReceived) {
            const std::string text = toText(*argument);
            post([text](HostEvents& t) { t.ChatTextReceived(text); });
        } else if (id == ids_.Closing) {
            post([](HostEvents& t) { t.Closing(); });
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
    } catch (const RuntimeError&) {
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

}  // namespace tc::win32
