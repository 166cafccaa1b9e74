#include "platform/win32/InstanceMutex.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace tc::win32 {

InstanceMutex::~InstanceMutex() { release(); }

void InstanceMutex::release() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

std::string InstanceMutex::nameFor(const std::string& folder) {
    char full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameA(folder.empty() ? "." : folder.c_str(), sizeof full, full, nullptr);
    std::string path = n > 0 && n < sizeof full ? std::string(full, n) : folder;
    for (char& c : path) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    // A mutex name holds no backslash and is short: name the folder by a
    // hash of its spelling (FNV-1a, the same in every build).
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    char name[64];
    std::snprintf(name, sizeof name, "Local\\Tailchime-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

bool InstanceMutex::acquire(const std::string& folder) {
    release();
    HANDLE h = CreateMutexA(nullptr, FALSE, nameFor(folder).c_str());
    const DWORD error = GetLastError();
    if (!h) return error != ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    return true;
}

void markProgramRunning() {
    // Never closed: Windows drops it with the process. Another user's copy
    // may already hold it, which is as good.
    CreateMutexA(nullptr, FALSE, "Global\\" TAILCHIME_RUNNING_MUTEX);
}

}  // namespace tc::win32
