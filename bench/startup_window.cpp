// Start-up time of the windowed program to its main window on screen. The
// program runs as the operator runs it, as its own process on an X server
// (a private Xvfb unless DISPLAY is set), with a fresh settings folder and a
// statistics server that refuses at once. The benchmark does not look for
// the window itself, which would take the cores the program needs: it asks
// the X server beforehand for the news of every top-level window and waits
// for the map of the window titled as the main window, timed from the fork.
//
//   bench_startup_window [RUNS] [PATH-TO-tailchime]

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ChildProgram.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The main window's title begins so, the call sign and version after it.
constexpr const char* kMainTitle = "Tailchime    ";

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// The display connection that hears of every window made and mapped on the root.
class Watcher {
public:
    explicit Watcher(const std::string& display) : c_(xcb_connect(display.c_str(), nullptr)) {
        if (xcb_connection_has_error(c_)) return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        Reply<xcb_generic_error_t> error(
            xcb_request_check(c_, xcb_change_window_attributes_checked(c_, root_, XCB_CW_EVENT_MASK, &mask)));
        ok_ = !error;
    }
    ~Watcher() { xcb_disconnect(c_); }
    bool ok() const { return ok_; }

    // Forgets what came before: the windows of a program run earlier.
    void drain() {
        while (Reply<xcb_generic_event_t> e{xcb_poll_for_event(c_)}) {
        }
    }

    // Waits up to the deadline for the map of a top-level window titled as
    // the main window; the time the news arrived, or nothing.
    std::optional<Clock::time_point> mainWindowMapped(Clock::time_point deadline, pid_t program) {
        while (Clock::now() < deadline) {
            Reply<xcb_generic_event_t> event{xcb_poll_for_event(c_)};
            if (!event) {
                if (xcb_connection_has_error(c_) || waitpid(program, nullptr, WNOHANG) == program) return {};
                pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
                // A second at most, to see whether the program has ended.
                ::poll(&fd, 1, static_cast<int>(std::clamp<long long>(left, 0, 1000)));
                continue;
            }
            const Clock::time_point heard = Clock::now();
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            if (map->event == root_ && titled(map->window)) return heard;
        }
        return {};
    }

private:
    bool titled(xcb_window_t window) {
        Reply<xcb_get_property_reply_t> name(xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
        if (!name) return false;
        std::string title(static_cast<const char*>(xcb_get_property_value(name.get())),
                          static_cast<size_t>(xcb_get_property_value_length(name.get())));
        return title.rfind(kMainTitle, 0) == 0;
    }

    xcb_connection_t* c_;
    xcb_window_t root_ = 0;
    bool ok_ = false;
};

// Milliseconds from the fork to the main window's map, or -1.
double startOnce(const std::string& program, const std::string& display, Watcher& watcher) {
    fs::path folder = fs::temp_directory_path() / ("tailchime-start-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    watcher.drain();
    const Clock::time_point start = Clock::now();
    pid_t pid = bench::spawn({program, "--config-dir", folder.string(), "--stats-server", "127.0.0.1:9"},
                      {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=xcb"});
    auto mapped = watcher.mainWindowMapped(start + std::chrono::seconds(20), pid);
    bench::stop(pid);
    fs::remove_all(folder);
    return mapped ? std::chrono::duration<double, std::milli>(*mapped - start).count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::string program = argc > 2 ? argv[2] : (fs::path(argv[0]).parent_path() / ".." / "src" / "tailchime").string();
    if (!fs::exists(program) || runs < 1) {
        std::cerr << "usage: bench_startup_window [RUNS] [PATH-TO-tailchime]\n";
        return 1;
    }

    std::string display;
    pid_t xvfb = -1;
    if (const char* d = std::getenv("DISPLAY"); d && *d) {
        display = d;
    } else {
        int number = 70 + getpid() % 20;
        while (fs::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
               fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            ++number;
        display = ":" + std::to_string(number);
        xvfb = bench::spawn({"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        std::string socket = "/tmp/.X11-unix/X" + display.substr(1);
        for (int i = 0; i < 250 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!fs::exists(socket)) {
            std::cerr << "bench_startup_window: Xvfb did not start on " << display << "\n";
            bench::stop(xvfb);
            return 1;
        }
    }
    Watcher watcher(display);
    if (!watcher.ok()) {
        std::cerr << "bench_startup_window: cannot watch the windows of display " << display << "\n";
        bench::stop(xvfb);
        return 1;
    }

    std::cout << "Windowed program: " << program << " on display " << display << "\n";
    std::vector<double> times;
    const std::string loadBefore = bench::load();
    for (int i = 0; i < runs; ++i) {
        double ms = startOnce(program, display, watcher);
        if (ms >= 0) times.push_back(ms);
    }
    if (times.empty()) {
        std::cout << "  start-up: the main window never came up\n";
    } else {
        std::sort(times.begin(), times.end());
        const double median = times.size() % 2 ? times[times.size() / 2]
                                               : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
        std::printf("  start-up to main window mapped: median %.0f ms, spread %.0f to %.0f ms, quartiles %.0f to %.0f ms "
                    "(%zu of %d runs; %s before, %s after)\n",
                    median, times.front(), times.back(), times[times.size() / 4], times[(times.size() * 3) / 4],
                    times.size(), runs, loadBefore.c_str(), bench::load().c_str());
    }
    bench::stop(xvfb);
    return 0;
}
