// What the windowed program costs while it sits idle on its simulated
// station: the share of one core it uses (user and system time from
// /proc/PID/stat) and how often it is switched in and out (voluntary and
// involuntary context switches of all its threads) and its resident memory,
// first with the add-on
// on and the antenna turning, then with it off. The program runs on an Xvfb
// of this benchmark's own, with a fresh settings folder each time.
//
//   bench_window_idle [SECONDS] [PATH-TO-tailchime]

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ChildProgram.h"

namespace fs = std::filesystem;

namespace {

struct Usage {
    double cpuSeconds = 0;
    long long switches = 0;  // voluntary and involuntary, all threads
};

Usage usage(pid_t pid) {
    Usage u;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream stat(proc + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), {});
    if (all.empty()) return u;
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    u.cpuSeconds = static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::error_code ec;
    for (const auto& task : fs::directory_iterator(proc + "/task", ec)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                u.switches += std::stoll(line.substr(line.find(':') + 1));
    }
    return u;
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void measure(const std::string& program, const std::string& display, const char* what, const char* settings,
             double seconds) {
    fs::path folder = fs::temp_directory_path() / ("tailchime-idle-" + std::to_string(getpid()) + "-" + what);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "tailchime.ini") << "[SETTINGS]\n" << settings;
    pid_t pid = bench::spawn({program, "--config-dir", folder.string(), "--stats-server", "127.0.0.1:9"},
                      {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=xcb"});
    // Start-up (windows shown, settings read, sound ready) is over well within this.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
        std::printf("  %-28s the program ended at start-up\n", what);
        return;
    }
    const std::string loadBefore = bench::load();
    Usage before = usage(pid);
    auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    Usage after = usage(pid);
    double span = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %-28s CPU %.3f %% of one core, %.1f context switches/s over %.0f s, resident %.1f MB "
                "(%s before, %s after)\n",
                what, 100.0 * (after.cpuSeconds - before.cpuSeconds) / span,
                static_cast<double>(after.switches - before.switches) / span, span,
                static_cast<double>(residentKb(pid)) / 1024.0, loadBefore.c_str(), bench::load().c_str());
    std::fflush(stdout);
    bench::stop(pid);
    fs::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    std::string program =
        argc > 2 ? argv[2] : (fs::path(argv[0]).parent_path() / ".." / "src" / "tailchime").string();
    if (!fs::exists(program) || seconds <= 0) {
        std::cerr << "usage: bench_window_idle [SECONDS] [PATH-TO-tailchime]\n";
        return 1;
    }
    // A display number nobody uses: its lock file is absent.
    int number = 70 + getpid() % 20;
    while (fs::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
           fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    const std::string display = ":" + std::to_string(number);
    pid_t xvfb = bench::spawn({"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 250 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!fs::exists(socket)) {
        std::cerr << "bench_window_idle: Xvfb did not start on " << display << "\n";
        bench::stop(xvfb);
        return 1;
    }
    std::cout << "Idle windowed program: " << program << " on Xvfb " << display << "\n";
    measure(program, display, "add-on on (antenna turning)", "", seconds);
    measure(program, display, "add-on off", "CHECK1=0\n", seconds);
    bench::stop(xvfb);
    return 0;
}
