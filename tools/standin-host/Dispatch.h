#pragma once
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>

#include "Server.h"

namespace standin {

class HostObject;

// A stand-in object whose IDispatch is its interface's own type
// information from the registered type library, counted by references and
// kept in the server's count of live objects.
template <class Interface>
class Dispatch : public Interface {
public:
    Dispatch(Server& server, REFIID iid, HostObject* host) : server_(server), host_(host) {
        server_.library()->GetTypeInfoOfGuid(iid, &info_);
        server_.objectCreated(host_);
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // Where the server offers no type information of its own (a test of
    // the client's fallback), the object gives none either.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = server_.ownTypeInfo() ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!server_.ownTypeInfo()) return E_NOTIMPL;
        if (index != 0) return DISP_E_BADINDEX;
        info_->AddRef();
        *out = info_.Get();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return info_->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override {
        return info_->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception, badArgument);
    }

protected:
    virtual ~Dispatch() { server_.objectReleased(host_); }

    Server& server_;

private:
    HostObject* host_;  // null for the objects that are not host objects
    std::atomic<ULONG> refs_{1};
    Microsoft::WRL::ComPtr<ITypeInfo> info_;
};

}  // namespace standin
