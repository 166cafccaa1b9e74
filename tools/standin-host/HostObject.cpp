#include "HostObject.h"

#include <cstdio>

#include "Arguments.h"
#include "Server.h"
#include "StationInfoObject.h"
#include "platform/win32/AnsiText.h"

namespace standin {

HostObject::HostObject(Server& server) : Dispatch(server, IID_IStandInHost, this) { server_.record.line("create"); }

HostObject::~HostObject() { server_.record.line("release"); }

int HostObject::fire(DISPID id, DISPPARAMS& params) {
    const auto sinks = sinks_;  // a sink may unadvise while it is told
    int told = 0;
    for (const auto& [cookie, sink] : sinks) {
        const HRESULT hr =
            sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        if (SUCCEEDED(hr)) {
            ++told;
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(hr));
            server_.record.line(std::string("sink refused ") + code);
        }
    }
    return told;
}

HRESULT STDMETHODCALLTYPE HostObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IStandInHost)
        *object = static_cast<IStandInHost*>(this);
    else if (riid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IConnectionPoint)
        *object = static_cast<IConnectionPoint*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::SetPTT(VARIANT keyed) {
    server_.record.line("call SetPTT " + describe(keyed));
    VARIANT b;
    VariantInit(&b);
    const HRESULT hr = VariantChangeType(&b, &keyed, 0, VT_BOOL);
    if (FAILED(hr)) return hr;
    server_.station.SetPTT(b.boolVal != VARIANT_FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::GetPTT(VARIANT_BOOL* keyed) {
    if (!keyed) return E_POINTER;
    *keyed = server_.station.GetPTT() ? VARIANT_TRUE : VARIANT_FALSE;
    server_.record.line(std::string("call GetPTT -> ") + (*keyed ? "True" : "False"));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::GetCarrierDetect(VARIANT_BOOL* carrier) {
    if (!carrier) return E_POINTER;
    *carrier = server_.station.GetCarrierDetect() ? VARIANT_TRUE : VARIANT_FALSE;
    server_.record.line(std::string("call GetCarrierDetect -> ") + (*carrier ? "True" : "False"));
    return S_OK;
}

// Only mode 0 is known; the host refuses any other, which gives the tests
// a call that fails.
HRESULT STDMETHODCALLTYPE HostObject::SendCW(VARIANT mode, VARIANT text) {
    server_.record.line("call SendCW " + describe(mode) + " " + describe(text));
    VARIANT m, t;
    VariantInit(&m);
    VariantInit(&t);
    HRESULT hr = VariantChangeType(&m, &mode, 0, VT_I4);
    if (FAILED(hr)) return hr;
    if (m.lVal != 0) return E_INVALIDARG;
    hr = VariantChangeType(&t, &text, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    server_.station.SendCW(0, tc::win32::narrow(t.bstrVal));
    VariantClear(&t);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::StationInfo(IStandInStationInfo** info) {
    if (!info) return E_POINTER;
    server_.record.line("call StationInfo");
    *info = new StationInfoObject(server_);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::SendChatText(VARIANT text) {
    server_.record.line("call SendChatText " + describe(text));
    VARIANT t;
    VariantInit(&t);
    const HRESULT hr = VariantChangeType(&t, &text, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    server_.station.SendChatText(tc::win32::narrow(t.bstrVal));
    VariantClear(&t);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostObject::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (riid != DIID_StandInHostEvents) return CONNECT_E_NOCONNECTION;
    *point = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = DIID_StandInHostEvents;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    Microsoft::WRL::ComPtr<IDispatch> events;
    // The sink must take the events interface; IDispatch alone is how
    // they are then called.
    Microsoft::WRL::ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(DIID_StandInHostEvents, reinterpret_cast<void**>(typed.GetAddressOf()))) ||
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.GetAddressOf())))) {
        server_.record.line("call Advise refused");
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_[*cookie] = events;
    server_.record.line("call Advise");
    server_.clientListening();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HostObject::Unadvise(DWORD cookie) {
    server_.record.line("call Unadvise");
    return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE HostObject::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

}  // namespace standin
