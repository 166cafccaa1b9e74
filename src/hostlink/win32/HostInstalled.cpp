#include "hostlink/win32/HostInstalled.h"

#include <windows.h>
#include <objbase.h>

#include <string>

namespace tc::win32 {

bool hostProgramInstalled(const GUID& hostClass) {
    wchar_t id[40];
    if (!StringFromGUID2(hostClass, id, 40)) return false;
    const std::wstring key = std::wstring(L"CLSID\\") + id;
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY k;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ | view, &k) == ERROR_SUCCESS) {
            RegCloseKey(k);
            return true;
        }
    }
    return false;
}

}  // namespace tc::win32
