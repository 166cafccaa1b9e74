#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/EventLoop.h"

namespace tc::win32 {

// The logic thread's loop on Windows, real time: timers are window timers
// of a hidden message-only window, and the thread pumps messages, so the
// host's calls into this single-threaded apartment arrive between
// handlers.
//
// The window procedure never runs a handler itself; it only marks what has
// come due. Handlers run from run() and processPendingEvents(), one at a
// time. So a message loop that someone else runs meanwhile (COM's, while
// the thread waits for a reply from the host) cannot slip a timer tick or
// a host event into the middle of a handler.
class WinEventLoop final : public EventLoop {
public:
    WinEventLoop();
    ~WinEventLoop() override;
    WinEventLoop(const WinEventLoop&) = delete;
    WinEventLoop& operator=(const WinEventLoop&) = delete;

    std::int64_t nowMs() const override;
    std::unique_ptr<Timer> newTimer(int intervalMs, bool enabled) override;
    void post(std::int64_t atMs, Lane lane, std::function<void()> fn) override;
    void processPendingEvents() override;

    // Pumps messages and runs handlers until stop() is called.
    void run();
    void stop();

    // From any thread (a console control handler): fn runs on the loop's
    // thread at its next pass.
    void postFromAnyThread(std::function<void()> fn);

    // Shows a modal box or dialog (wait returns when it is dismissed). While
    // it waits, timer ticks and host events run from inside its message
    // loop, as they do from run(): nothing waits for the operator's click.
    // A handler that ends the program meanwhile closes the waiting boxes;
    // the end is thrown again here once wait has returned.
    void runModal(const std::function<void()>& wait);

    // Runs what a window hands over (the operator's click, an edit): at
    // once when no handler runs or a box waits for the operator, else
    // after the running handler, which a window message must not enter.
    void runHandler(std::function<void()> fn);

    struct TimerState;

private:
    friend class WinTimer;
    struct Posted {
        std::int64_t at;
        int lane;
        std::uint64_t seq;
        std::function<void()> fn;
    };
    struct Later {
        bool operator()(const Posted& a, const Posted& b) const {
            if (a.at != b.at) return a.at > b.at;
            if (a.lane != b.lane) return a.lane > b.lane;
            return a.seq > b.seq;
        }
    };
    struct Ready {
        std::shared_ptr<TimerState> timer;  // a timer's tick, or
        std::function<void()> fn;           // a posted event
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onTimerMessage(UINT_PTR id);
    void collectDuePosts();
    void armWake();
    void runReady();
    void runReadyInsideModal();
    static void closeModalWindows();
    void arm(TimerState& timer);
    void disarm(TimerState& timer);
    void forget(TimerState& timer);

    HWND window_ = nullptr;
    std::chrono::steady_clock::time_point start_;
    bool stopped_ = false;
    int handlerDepth_ = 0;    // handlers now running, nested ones counted
    int modalDepth_ = -1;     // the handler depth at which a modal box waits, or -1
    bool endHeld_ = false;    // a handler inside a modal box ended the program
    std::uint64_t seq_ = 0;
    UINT_PTR nextTimerId_;
    std::unordered_map<UINT_PTR, std::shared_ptr<TimerState>> timers_;
    std::priority_queue<Posted, std::vector<Posted>, Later> posts_;
    std::deque<Ready> ready_;
    std::mutex foreignMutex_;
    std::vector<std::function<void()>> foreign_;
};

}  // namespace tc::win32
