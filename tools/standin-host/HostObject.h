#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <map>

#include "Dispatch.h"
#include "standin-host.h"

namespace standin {

// One host object as a client holds it: the automation interface, whose
// calls go to the shared station and are recorded, and the connection
// point through which its clients receive the events.
class HostObject final : public Dispatch<IStandInHost>, public IConnectionPointContainer, public IConnectionPoint {
public:
    explicit HostObject(Server& server);

    // Tells every connected sink of this object; returns how many heard it.
    int fire(DISPID id, DISPPARAMS& params);

    // IUnknown, one count for all three interfaces
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return Dispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return Dispatch::Release(); }

    // IStandInHost
    HRESULT STDMETHODCALLTYPE SetPTT(VARIANT keyed) override;
    HRESULT STDMETHODCALLTYPE GetPTT(VARIANT_BOOL* keyed) override;
    HRESULT STDMETHODCALLTYPE GetCarrierDetect(VARIANT_BOOL* carrier) override;
    HRESULT STDMETHODCALLTYPE SendCW(VARIANT mode, VARIANT text) override;
    HRESULT STDMETHODCALLTYPE StationInfo(IStandInStationInfo** info) override;
    HRESULT STDMETHODCALLTYPE SendChatText(VARIANT text) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IConnectionPoint (the events interface's, the only one)
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    ~HostObject() override;

    std::map<DWORD, Microsoft::WRL::ComPtr<IDispatch>> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace standin
