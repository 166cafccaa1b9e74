#include "hostlink/win32/EventIds.h"

#include <wrl/client.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/win32/AnsiText.h"
#include "platform/win32/ComError.h"
#include "hostlink/win32/HostClasses.h"

namespace tc::win32 {

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<ITypeInfo> fromObject(IDispatch* host) {
    ComPtr<ITypeInfo> own, events;
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (SUCCEEDED(host->GetTypeInfo(0, LOCALE_USER_DEFAULT, &own)) && own &&
        SUCCEEDED(own->GetContainingTypeLib(&library, &index)) &&
        SUCCEEDED(library->GetTypeInfoOfGuid(kHostEventsInterface, &events)))
        return events;
    return nullptr;
}

std::string registryText(HKEY key, const char* value) {
    char text[128] = {};
    DWORD size = sizeof text - 1;
    if (RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return {};
    return text;
}

// Interface\{events}\TypeLib names the library and its version.
ComPtr<ITypeInfo> fromRegistry() {
    wchar_t iid[40];
    StringFromGUID2(kHostEventsInterface, iid, 40);
    const std::string path = "Interface\\" + narrow(iid, static_cast<int>(wcslen(iid))) + "\\TypeLib";
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    const std::string libid = registryText(key, nullptr);
    const std::string version = registryText(key, "Version");
    RegCloseKey(key);
    GUID lib;
    if (FAILED(CLSIDFromString(wide(libid).c_str(), &lib))) return nullptr;
    unsigned major = 1, minor = 0;
    if (!version.empty()) {
        const auto dot = version.find('.');
        major = static_cast<unsigned>(std::strtoul(version.c_str(), nullptr, 16));
        minor = dot == std::string::npos ? 0 : static_cast<unsigned>(std::strtoul(version.c_str() + dot + 1, nullptr, 16));
    }
    ComPtr<ITypeLib> library;
    ComPtr<ITypeInfo> events;
    if (SUCCEEDED(LoadRegTypeLib(lib, static_cast<WORD>(major), static_cast<WORD>(minor), LOCALE_NEUTRAL, &library)) &&
        SUCCEEDED(library->GetTypeInfoOfGuid(kHostEventsInterface, &events)))
        return events;
    return nullptr;
}

// The members are read one by one rather than looked up by name: a type
// description that lives in the host's process reaches us through a proxy,
// and name lookup is one of the calls that does not cross processes.
bool readIds(ITypeInfo* events, EventIds& ids) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(events->GetTypeAttr(&attributes))) return false;
    const WORD count = attributes->cFuncs;
    events->ReleaseTypeAttr(attributes);
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(events->GetFuncDesc(i, &function))) return false;
        const MEMBERID id = function->memid;
        events->ReleaseFuncDesc(function);
        BSTR name = nullptr;
        UINT names = 0;
        if (FAILED(events->GetNames(id, &name, 1, &names)) || names == 0) continue;
        // Automation names are matched without regard to case.
        if (_wcsicmp(name, L"RX") == 0) ids.RX = id;
        if (_wcsicmp(name, L"CarrierDetect") == 0) ids.CarrierDetect = id;
        if (_wcsicmp(name, L"Closing") == 0) ids.Closing = id;
        if (_wcsicmp(name, L"ChatTextReceived") == 0) ids.ChatTextReceived = id;
        SysFreeString(name);
    }
    return true;
}

}  // namespace

EventIds EventIds::of(IDispatch* host) {
    EventIds ids;
    ComPtr<ITypeInfo> events = fromObject(host);
    if (events && readIds(events.Get(), ids)) return ids;
    events = fromRegistry();
    if (events && readIds(events.Get(), ids)) return ids;
    throw comError(TYPE_E_ELEMENTNOTFOUND);
}

}  // namespace tc::win32
