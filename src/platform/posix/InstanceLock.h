#pragma once
#include <string>

namespace tc {

// One copy of the program per configuration folder: two copies keying the
// same transmitter and writing the same settings file would fight.
//
// The lock is an flock on <folder>/tailchime.lock, held for as long as this
// object lives; a folder where that file cannot be made (read-only) is
// locked through a file in the user's runtime folder named after its path. The kernel drops it when the process ends in any way, so a
// copy that crashed or was killed never leaves a stale lock behind.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False only when another process holds the lock for this folder. When
    // no lock file can be made at all, we cannot tell: the station must not
    // be kept off the air for that, so the answer is true. Taking the
    // lock again first lets go of the one this object held.
    bool acquire(const std::string& configFolder);

private:
    void release();

    int fd_ = -1;
};

}  // namespace tc
