#include "StationInfoObject.h"

#include "platform/win32/AnsiText.h"

namespace standin {

HRESULT STDMETHODCALLTYPE StationInfoObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IStandInStationInfo) {
        *object = static_cast<IStandInStationInfo*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE StationInfoObject::get_StationCallsign(BSTR* callsign) {
    if (!callsign) return E_POINTER;
    server_.record.line("call StationCallsign");
    *callsign = tc::win32::Bstr(server_.station.callsign()).release();
    return S_OK;
}

}  // namespace standin
