#pragma once
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A program started by a test, its standard output and error read as they
// come, so that the test can wait for a line, send a signal and wait for
// the end. Every wait has a generous guard against hangs; nothing depends
// on how fast the machine is.
class Child {
public:
    static constexpr std::chrono::seconds kGuard{60};

    // Runs argv[0] with the arguments; env entries ("NAME=value") are added
    // to the test's own environment.
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    ~Child();  // kills a program still running
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    void signal(int sig);
    int pid() const { return pid_; }
    // The exit status; -1 when the guard ran out (the program is killed) or
    // it ended by a signal.
    int wait();

    // Waits until out (or err) contains text; false when the program has
    // closed both without it, or after the guard.
    bool waitOut(const std::string& text) { return waitFor(out_, text); }
    bool waitErr(const std::string& text) { return waitFor(err_, text); }

    std::string out();
    std::string err();

private:
    bool waitFor(const std::string& stream, const std::string& text);
    void pump(int fd, std::string& into);

    int pid_ = -1;
    int status_ = -2;
    std::mutex mutex_;
    std::condition_variable grew_;
    std::string out_, err_;
    int closed_ = 0;  // streams at their end
    std::thread outReader_, errReader_;
};

// Checks done() until it holds, a step apart; false when the guard (against
// hangs only) ran out first.
inline bool eventually(const std::function<bool()>& done, std::chrono::milliseconds step = std::chrono::milliseconds(20),
                       std::chrono::seconds guard = Child::kGuard) {
    for (auto until = std::chrono::steady_clock::now() + guard; !done();) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(step);
    }
    return true;
}

// A TCP port on 127.0.0.1 that nothing listened on a moment ago.
int freePort();
// Waits until something accepts connections on the port.
bool acceptsConnections(int port);
