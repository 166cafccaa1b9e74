#include "app/win32/WindowsProfile.h"

#include <windows.h>

namespace tc::win32 {

namespace {
// One fixed buffer's worth: a read delivers at most 255 characters.
constexpr DWORD kBufferSize = 256;
}  // namespace

std::string WindowsProfile::GetString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
    char buffer[kBufferSize] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                             kBufferSize, file_.c_str());
    return std::string(buffer, n < kBufferSize ? n : kBufferSize - 1);
}

bool WindowsProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_.c_str()) != FALSE;
}

}  // namespace tc::win32
