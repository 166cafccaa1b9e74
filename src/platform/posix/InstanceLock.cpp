#include "platform/posix/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tc {

InstanceLock::~InstanceLock() { release(); }

void InstanceLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

namespace {

// Where the lock of a folder that cannot hold one is kept: this user's
// runtime folder, named after the folder's full path, so that every copy
// started for the same folder finds the same file.
std::string fallbackLockPath(const std::string& configFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(configFolder, ec), ec);
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a of the path
    for (unsigned char c : folder.string()) hash = (hash ^ c) * 1099511628211ull;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    fs::path base = runtime && fs::path(runtime).is_absolute() && fs::is_directory(runtime, ec)
                        ? fs::path(runtime) / "tailchime"
                        : fs::temp_directory_path(ec) / ("tailchime-" + std::to_string(::getuid()));
    ::mkdir(base.c_str(), 0700);
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.lock", static_cast<unsigned long long>(hash));
    return (base / name).string();
}

}  // namespace

bool InstanceLock::acquire(const std::string& configFolder) {
    release();
    std::error_code ec;
    std::filesystem::create_directories(configFolder, ec);
    // flock needs no write access, so a lock file left read-only still works.
    int fd = ::open((configFolder + "/tailchime.lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fd = ::open(fallbackLockPath(configFolder).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldElsewhere;
    }
    fd_ = fd;
    return true;
}

}  // namespace tc
