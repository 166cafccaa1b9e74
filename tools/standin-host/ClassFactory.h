#pragma once
#include <windows.h>
#include <unknwn.h>

namespace standin {

class Server;

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
