#pragma once
// Starting and stopping the built program from a benchmark.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace bench {

// Starts the program with more environment, its output thrown away.
inline pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    pid_t pid = fork();
    if (pid == 0) {
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int quiet = ::open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Asks the program to end, as the operator's session would; kills it when
// it has not ended within `graceMs`.
inline void stop(pid_t pid, int graceMs = 2000) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int waited = 0; waited < graceMs; waited += 20) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace bench
