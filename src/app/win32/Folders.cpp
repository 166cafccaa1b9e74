#include "app/win32/Folders.h"

#include <windows.h>

namespace tc::win32 {

std::string programFolder() {
    char path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return ".";
    std::string folder(path, n);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::string windowsFolder() {
    char path[MAX_PATH * 4];
    const UINT n = GetWindowsDirectoryA(path, sizeof path);
    return n > 0 && n < sizeof path ? std::string(path, n) : "C:\\Windows";
}

}  // namespace tc::win32
