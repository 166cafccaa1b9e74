#include "Registration.h"

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <iostream>

#include "platform/win32/AnsiText.h"
#include "platform/win32/Folders.h"
#include "standin-host.h"

namespace standin {

namespace {

std::string guidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return tc::win32::narrow(text, static_cast<int>(wcslen(text)));
}

std::string classKey() { return "CLSID\\" + guidText(CLSID_StandInHostApp); }

bool setValue(const std::string& key, const std::string& value) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

std::string programPath() {
    char path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

}  // namespace

std::string typeLibraryPath() { return tc::win32::programFolder() + "\\standin-host.tlb"; }

bool registerServer(const std::string& arguments) {
    Microsoft::WRL::ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(tc::win32::wide(typeLibraryPath()).c_str(), REGKIND_REGISTER, &library);
    if (FAILED(hr)) {
        std::cerr << "standin-host: cannot register the type library " << typeLibraryPath() << " (0x" << std::hex
                  << static_cast<unsigned long>(hr) << ")\n";
        return false;
    }
    std::string command = "\"" + programPath() + "\"";
    if (!arguments.empty()) command += " " + arguments;
    const bool ok = setValue(classKey(), "Tailchime stand-in host") &&
                    setValue(classKey() + "\\LocalServer32", command) &&
                    setValue(classKey() + "\\TypeLib", guidText(LIBID_StandInHost));
    if (!ok) std::cerr << "standin-host: cannot write the class's registry keys\n";
    return ok;
}

bool unregisterServer() {
    UnRegisterTypeLib(LIBID_StandInHost, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
    const LSTATUS status = RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey().c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace standin
