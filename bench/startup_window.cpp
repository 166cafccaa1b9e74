// Start-up time of the windowed program to its main window on screen, its
// CPU load while it sits idle with the window open, and its resident memory.
// The program runs as the operator runs it, as its own process on an X
// server (a private Xvfb unless DISPLAY is set), with a fresh settings
// folder and a statistics server that refuses at once.
//
//   bench_startup_window [PATH-TO-tailchime] [RUNS]

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
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

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string output(const std::string& command) {
    std::string text;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
        pclose(p);
    }
    return text;
}

// True once a window whose title starts with the program's name is mapped
// and viewable on the display.
bool mainWindowViewable(const std::string& display) {
    std::string tree = output("DISPLAY=" + display + " xwininfo -root -tree 2>/dev/null");
    std::istringstream lines(tree);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("\"Tailchime    ") == std::string::npos) continue;
        std::string id = line.substr(line.find("0x"), line.find(' ', line.find("0x")) - line.find("0x"));
        if (output("DISPLAY=" + display + " xwininfo -id " + id + " 2>/dev/null").find("IsViewable") !=
            std::string::npos)
            return true;
    }
    return false;
}

double cpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), {});
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

struct Run {
    pid_t pid = -1;
    double startupMs = -1;
};

Run launch(const std::string& program, const std::string& display, const std::string& settings) {
    fs::path folder = fs::temp_directory_path() / ("tailchime-bench-" + std::to_string(getpid()) + "-" +
                                                   std::to_string(Clock::now().time_since_epoch().count()));
    fs::create_directories(folder);
    if (!settings.empty()) std::ofstream(folder / "tailchime.ini") << "[SETTINGS]\n" << settings;
    Run run;
    auto start = Clock::now();
    run.pid = spawn({program, "--config-dir", folder.string(), "--stats-server", "127.0.0.1:9"},
                    {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=xcb"});
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (waitpid(run.pid, nullptr, WNOHANG) == run.pid) {
            run.pid = -1;
            break;
        }
        if (mainWindowViewable(display)) {
            run.startupMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    return run;
}

void idleFigures(const std::string& program, const std::string& display, const char* what,
                 const std::string& settings) {
    Run run = launch(program, display, settings);
    if (run.startupMs < 0) {
        std::cout << "  " << what << ": the main window never came up\n";
        stop(run.pid);
        return;
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double span = 10;
    double before = cpuSeconds(run.pid);
    std::this_thread::sleep_for(std::chrono::duration<double>(span));
    double used = cpuSeconds(run.pid) - before;
    std::printf("  %-34s idle CPU %.2f %% of one core (target < 0.5 %%), resident %.1f MB (target < 60 MB)\n", what,
                100.0 * used / span, static_cast<double>(residentKb(run.pid)) / 1024.0);
    stop(run.pid);
}

}  // namespace

int main(int argc, char** argv) {
    std::string program = argc > 1 ? argv[1] : (fs::path(argv[0]).parent_path() / ".." / "src" / "tailchime").string();
    int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (!fs::exists(program)) {
        std::cerr << "bench_startup_window: no program at " << program << "\n";
        return 1;
    }

    std::string display;
    pid_t xvfb = -1;
    if (const char* d = std::getenv("DISPLAY"); d && *d) {
        display = d;
    } else {
        display = ":" + std::to_string(90 + getpid() % 9);
        xvfb = spawn({"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        std::string socket = "/tmp/.X11-unix/X" + display.substr(1);
        for (int i = 0; i < 250 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!fs::exists(socket)) {
            std::cerr << "bench_startup_window: Xvfb did not start on " << display << "\n";
            stop(xvfb);
            return 1;
        }
    }

    std::cout << "Windowed program: " << program << " on display " << display << "\n";
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Run run = launch(program, display, "");
        if (run.startupMs >= 0) times.push_back(run.startupMs);
        stop(run.pid);
    }
    if (times.empty()) {
        std::cout << "  start-up: the main window never came up\n";
    } else {
        std::sort(times.begin(), times.end());
        std::printf("  start-up to main window shown: median %.0f ms, best %.0f ms, worst %.0f ms (%zu runs)\n",
                    times[times.size() / 2], times.front(), times.back(), times.size());
    }
    idleFigures(program, display, "add-on on (antenna turning):", "");
    idleFigures(program, display, "add-on off:", "CHECK1=0\n");
    stop(xvfb);
    return 0;
}
