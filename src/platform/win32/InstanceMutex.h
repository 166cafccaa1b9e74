#pragma once
#include <string>

namespace tc::win32 {

// One copy of the program per station: a named mutex for the station's
// settings folder, held as long as this object lives. Windows drops it
// with the process however that ends, so no stale claim survives a crash.
class InstanceMutex {
public:
    InstanceMutex() = default;
    ~InstanceMutex();
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    // False only when another process holds the claim for this folder (also
    // one of another user, whose mutex we may not open). When no mutex can be
    // made for other reasons the station is not kept off the air: true.
    bool acquire(const std::string& folder);

    // The mutex's name: the same for every spelling of one folder (case,
    // slashes, relative or absolute, a trailing separator).
    static std::string nameFor(const std::string& folder);

private:
    void release();

    void* handle_ = nullptr;
};

// Marks the program as running, whatever its settings folder, until the
// process ends: a mutex of a fixed name in the machine's global namespace,
// which the installer and the uninstaller look for before they replace or
// remove the program's files.
void markProgramRunning();

}  // namespace tc::win32
