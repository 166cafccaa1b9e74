#include "platform/posix/InstanceLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    std::string folder(const char* name) const { return tmp.file(name); }

    // Another copy of the program, as a child process: 1 when it got the
    // lock, 0 when it was refused.
    static int otherCopyAcquires(const std::string& configFolder) {
        pid_t pid = fork();
        if (pid == 0) {
            tc::InstanceLock lock;
            _exit(lock.acquire(configFolder) ? 1 : 0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempDir tmp;
    fs::path dir_{tmp.path()};
};

TEST_F(InstanceLockTest, SecondCopyOnTheSameFolderIsRefusedWhileTheLockLives) {
    {
        tc::InstanceLock lock;
        ASSERT_TRUE(lock.acquire(folder("station")));  // folder made on the way
        EXPECT_TRUE(fs::exists(dir_ / "station" / "tailchime.lock"));
        EXPECT_EQ(otherCopyAcquires(folder("station")), 0);
        EXPECT_EQ(otherCopyAcquires(folder("second-station")), 1);
    }
    EXPECT_EQ(otherCopyAcquires(folder("station")), 1);
}

TEST_F(InstanceLockTest, LockComesFreeWhenTheHolderEndsEvenByACrash) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        tc::InstanceLock lock;
        char got = lock.acquire(folder("station")) ? 'y' : 'n';
        if (write(ready[1], &got, 1) != 1) _exit(1);
        for (;;) pause();  // runs until killed, never releasing by itself
    }
    char got = 0;
    ASSERT_EQ(read(ready[0], &got, 1), 1);
    ASSERT_EQ(got, 'y');
    close(ready[0]);
    close(ready[1]);

    tc::InstanceLock lock;
    EXPECT_FALSE(lock.acquire(folder("station")));
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(lock.acquire(folder("station")));
}

// A folder that cannot hold the lock file (read-only, or something else in
// its place) still lets only one copy run.
TEST_F(InstanceLockTest, FolderWithoutRoomForTheLockStillRefusesASecondCopy) {
    fs::create_directories(dir_ / "station" / "tailchime.lock");  // no file can be made there
    tc::InstanceLock lock;
    EXPECT_TRUE(lock.acquire(folder("station")));
    EXPECT_EQ(otherCopyAcquires(folder("station")), 0);
    EXPECT_EQ(otherCopyAcquires((dir_ / "station" / "." ).string()), 0) << "the same folder, however written";
    EXPECT_EQ(otherCopyAcquires(folder("second-station")), 1);
}

TEST_F(InstanceLockTest, UnusableFolderDoesNotKeepTheStationOffTheAir) {
    std::ofstream(dir_ / "plain") << "not a folder";
    tc::InstanceLock lock;
    EXPECT_TRUE(lock.acquire((dir_ / "plain" / "tailchime").string()));
}

}  // namespace
