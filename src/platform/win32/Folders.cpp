#include "platform/win32/Folders.h"

#include <windows.h>
#include <shlobj.h>

namespace tc::win32 {

std::string programFolder() {
    char path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return ".";
    std::string folder(path, n);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::string settingsFolder() {
    char path[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return programFolder();
    return std::string(path) + "\\Tailchime";
}

}  // namespace tc::win32
