#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <atomic>
#include <map>

#include "standin-host.h"

namespace standin {

class Server;

// One host object as a client holds it: the automation interface, whose
// calls go to the shared station and are recorded, and the connection
// point through which its clients receive the events.
class HostObject final : public IStandInHost, public IConnectionPointContainer, public IConnectionPoint {
public:
    explicit HostObject(Server& server);

    // Tells every connected sink of this object; returns how many heard it.
    int fire(DISPID id, DISPPARAMS& params);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, through the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

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
    ~HostObject();

    Server& server_;
    std::atomic<ULONG> refs_{1};
    Microsoft::WRL::ComPtr<ITypeInfo> info_;
    std::map<DWORD, Microsoft::WRL::ComPtr<IDispatch>> sinks_;
    DWORD nextCookie_ = 1;
};

// The station-information object that StationInfo hands out.
class StationInfoObject final : public IStandInStationInfo {
public:
    explicit StationInfoObject(Server& server);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;
    HRESULT STDMETHODCALLTYPE get_StationCallsign(BSTR* callsign) override;

private:
    ~StationInfoObject();

    Server& server_;
    std::atomic<ULONG> refs_{1};
    Microsoft::WRL::ComPtr<ITypeInfo> info_;
};

// Makes host objects for COM.
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(Server& server) : server_(server) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on main's stack for the whole run
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Server& server_;
};

}  // namespace standin
