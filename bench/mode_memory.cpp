// What each mode of the program costs in memory: the built program started
// as the operator starts it, measured while it runs. For each mode its
// resident memory (now and at its peak), its private memory (what this copy
// alone costs, as the shared libraries' pages are shared with every other
// program) and the number of shared libraries it maps, and whether Qt is
// among them.
//
// Modes that end by themselves (--version, --help, --list-rigs, a station
// script on virtual time) are held at their first write: their standard
// output is a pipe filled beforehand, so the write waits while the figures
// are read, with everything they loaded still mapped. The station with a
// radio runs against Hamlib's `rigctld -m 1`, the windows on Qt's offscreen
// platform; each is measured once it has said it is up.
//
//   bench_mode_memory [PATH-TO-tailchime]

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ChildProgram.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kGuard = std::chrono::seconds(60);

struct Started {
    pid_t pid = -1;
    int err = -1;  // read end of its standard error, where asked for
};

// Starts the program with stdout on `out` (or /dev/null), stderr on a pipe
// (or /dev/null), the environment entries added.
Started spawn(const std::vector<std::string>& args, const std::vector<std::string>& env, int out, bool readErr) {
    int errPipe[2] = {-1, -1};
    if (readErr && pipe(errPipe) != 0) return {};
    Started s;
    s.pid = fork();
    if (s.pid == 0) {
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        int quiet = ::open("/dev/null", O_RDWR);
        dup2(quiet, 0);
        dup2(out >= 0 ? out : quiet, 1);
        dup2(readErr ? errPipe[1] : quiet, 2);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (readErr) {
        close(errPipe[1]);
        s.err = errPipe[0];
    }
    return s;
}

bool ended(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// True once the process sits in a write to its standard output.
bool writingStdout(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    std::string number, fd;
    in >> number >> fd;
    return (number == "1" || number == "20") && fd == "0x1";  // write, writev
}

// Waits until the program's standard error holds `text`; false when it
// ended or the guard ran out first.
bool waitErr(const Started& s, const std::string& text) {
    fcntl(s.err, F_SETFL, fcntl(s.err, F_GETFL) | O_NONBLOCK);
    std::string seen;
    auto until = Clock::now() + kGuard;
    while (Clock::now() < until) {
        char buf[4096];
        ssize_t n = read(s.err, buf, sizeof buf);
        if (n > 0) seen.append(buf, static_cast<size_t>(n));
        if (seen.find(text) != std::string::npos) return true;
        if (n == 0) return false;
        if (n < 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

struct Figures {
    long rssKb = -1, peakKb = -1, privateKb = -1;
    int libraries = 0;
    bool qt = false;
};

long field(const std::string& file, const std::string& name) {
    std::ifstream in(file);
    long total = -1;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name, 0) == 0) total = (total < 0 ? 0 : total) + std::stol(line.substr(name.size()));
    return total;
}

Figures measure(pid_t pid) {
    std::string proc = "/proc/" + std::to_string(pid);
    Figures f;
    f.rssKb = field(proc + "/status", "VmRSS:");
    f.peakKb = field(proc + "/status", "VmHWM:");
    long clean = field(proc + "/smaps_rollup", "Private_Clean:");
    long dirty = field(proc + "/smaps_rollup", "Private_Dirty:");
    if (clean >= 0 && dirty >= 0) f.privateKb = clean + dirty;
    std::ifstream maps(proc + "/maps");
    std::set<std::string> libraries;
    for (std::string line; std::getline(maps, line);) {
        auto slash = line.find('/');
        if (slash == std::string::npos) continue;
        std::string path = line.substr(slash);
        std::string name = fs::path(path).filename().string();
        if (name.find(".so") == std::string::npos) continue;
        libraries.insert(path);
        if (name.rfind("libQt6", 0) == 0) f.qt = true;
    }
    f.libraries = static_cast<int>(libraries.size());
    return f;
}

void row(const std::string& mode, const Figures* f) {
    if (!f) {
        std::printf("  %-28s did not come up\n", mode.c_str());
        return;
    }
    std::printf("  %-28s %9.1f %9.1f %9.1f %6d  %-3s  %s\n", mode.c_str(), static_cast<double>(f->rssKb) / 1024.0,
                static_cast<double>(f->peakKb) / 1024.0, static_cast<double>(f->privateKb) / 1024.0, f->libraries,
                f->qt ? "yes" : "no", bench::load().c_str());
}

// A mode that ends by itself, held at its first write to standard output.
void heldAtItsWrite(const std::string& mode, const std::vector<std::string>& args,
                    const std::vector<std::string>& env) {
    int out[2];
    if (pipe(out) != 0) return;
    fcntl(out[1], F_SETFL, fcntl(out[1], F_GETFL) | O_NONBLOCK);
    std::vector<char> fill(4096, 'x');
    while (write(out[1], fill.data(), fill.size()) > 0) {
    }
    fcntl(out[1], F_SETFL, fcntl(out[1], F_GETFL) & ~O_NONBLOCK);
    Started s = spawn(args, env, out[1], false);
    close(out[1]);
    std::optional<Figures> f;
    auto until = Clock::now() + kGuard;
    while (Clock::now() < until && !ended(s.pid)) {
        if (writingStdout(s.pid)) {
            f = measure(s.pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    close(out[0]);  // the write fails and the program ends
    bench::stop(s.pid, 5000);
    row(mode, f ? &*f : nullptr);
}

// A mode that runs until it is stopped, measured a moment after it said
// `upText` on its standard error.
void untilStopped(const std::string& mode, const std::vector<std::string>& args, const std::vector<std::string>& env,
                  const std::string& upText) {
    Started s = spawn(args, env, -1, true);
    std::optional<Figures> f;
    if (waitErr(s, upText)) {
        std::this_thread::sleep_for(std::chrono::seconds(1));  // settled
        f = measure(s.pid);
    }
    bench::stop(s.pid, 5000);
    close(s.err);
    row(mode, f ? &*f : nullptr);
}

int freePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    close(fd);
    return port;
}

bool acceptsConnections(int port) {
    auto until = Clock::now() + kGuard;
    while (Clock::now() < until) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bool up = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        close(fd);
        if (up) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::string freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "tailchime-bench-XXXXXX").string();
    return mkdtemp(pattern.data());
}

}  // namespace

int main(int argc, char** argv) {
    std::string program = argc > 1 ? argv[1] : TAILCHIME_BIN;
    if (!fs::exists(program)) {
        std::cerr << "bench_mode_memory: no program at " << program << "\n";
        return 1;
    }
    const std::string script = std::string(TAILCHIME_SOURCE_DIR) + "/examples/example.tcs";
    const std::vector<std::string> quiet = {"SDL_AUDIODRIVER=dummy"};
    std::vector<std::string> folders;
    auto common = [&](std::vector<std::string> more) {
        folders.push_back(freshFolder());
        std::vector<std::string> a = {program, "--config-dir", folders.back(), "--stats-server", "127.0.0.1:9"};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    };

    std::cout << "Memory of each mode of " << program << " (MB; libraries: shared objects mapped)\n";
    std::printf("  %-28s %9s %9s %9s %6s  %-3s\n", "mode", "resident", "peak", "private", "libs", "Qt");
    heldAtItsWrite("--version", {program, "--version"}, quiet);
    heldAtItsWrite("--help", {program, "--help"}, quiet);
    heldAtItsWrite("--list-rigs", {program, "--list-rigs"}, quiet);
    heldAtItsWrite("--headless (virtual time)", common({"--headless", script, "--virtual-time"}), quiet);

    int port = freePort();
    Started rigctld = spawn({"rigctld", "-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", std::to_string(port)}, {}, -1, false);
    if (acceptsConnections(port)) {
        untilStopped("--no-window (rigctld -m 1)",
                     common({"--no-window", "--host", "rig", "--rig-model", "2", "--rig-file",
                             "127.0.0.1:" + std::to_string(port)}),
                     quiet, "radio \"radio open");
    } else {
        std::printf("  %-28s rigctld did not start\n", "--no-window (rigctld -m 1)");
    }
    bench::stop(rigctld.pid, 5000);

    untilStopped("windows (offscreen)", common({}), {"SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=offscreen"},
                 "caption \"");

    for (const auto& f : folders) {
        std::error_code ec;
        fs::remove_all(f, ec);
    }
    return 0;
}
