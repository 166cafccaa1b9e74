#include "app/win32/WindowsProfile.h"

#include <windows.h>

#include <filesystem>

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
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::path(file_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const bool written =
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_.c_str()) != FALSE;
    allWritten_ = allWritten_ && written;
    return written;
}

bool WindowsProfile::Flush() {
    const bool ok = allWritten_;
    allWritten_ = true;
    return ok;
}

}  // namespace tc::win32
