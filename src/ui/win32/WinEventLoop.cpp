#include "ui/win32/WinEventLoop.h"

#include "core/RuntimeError.h"

namespace tc::win32 {

namespace {

constexpr UINT_PTR kWakeTimer = 1;  // the next posted event is due
constexpr UINT kWakeMessage = WM_APP;
constexpr UINT kForeignMessage = WM_APP + 1;
constexpr const char* kWindowClass = "TailchimeEventLoop";

void registerWindowClass(WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);  // fails harmlessly when a second loop registers it again
}

}  // namespace

struct WinEventLoop::TimerState {
    UINT_PTR id = 0;
    bool enabled = false;
    int interval = 0;
    bool due = false;  // a tick waits to run; a stop or a restart withdraws it
    Timer* owner = nullptr;        // null once the timer is gone
};

class WinTimer final : public Timer {
public:
    WinTimer(WinEventLoop& loop, std::shared_ptr<WinEventLoop::TimerState> state)
        : loop_(loop), state_(std::move(state)) {
        state_->owner = this;
    }
    ~WinTimer() override { loop_.forget(*state_); }

    void setEnabled(bool on) override {
        if (on == state_->enabled) return;  // enabling a running timer changes nothing
        state_->enabled = on;
        state_->due = false;
        if (on)
            loop_.arm(*state_);
        else
            loop_.disarm(*state_);
    }
    bool enabled() const override { return state_->enabled; }
    void setInterval(int ms) override {
        state_->interval = ms;
        if (!state_->enabled) return;
        state_->due = false;
        loop_.arm(*state_);  // a new interval restarts the countdown
    }
    int interval() const override { return state_->interval; }

private:
    WinEventLoop& loop_;
    std::shared_ptr<WinEventLoop::TimerState> state_;
};

WinEventLoop::WinEventLoop() : start_(std::chrono::steady_clock::now()), nextTimerId_(kWakeTimer + 1) {
    registerWindowClass(&WinEventLoop::windowProc);
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WinEventLoop::~WinEventLoop() {
    if (window_) DestroyWindow(window_);
}

std::int64_t WinEventLoop::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

std::unique_ptr<Timer> WinEventLoop::newTimer(int intervalMs, bool enabled) {
    auto state = std::make_shared<TimerState>();
    state->id = nextTimerId_++;
    state->interval = intervalMs;
    timers_[state->id] = state;
    auto timer = std::make_unique<WinTimer>(*this, state);
    timer->setEnabled(enabled);
    return timer;
}

void WinEventLoop::arm(TimerState& timer) {
    if (timer.interval > 0)
        SetTimer(window_, timer.id, static_cast<UINT>(timer.interval), nullptr);
    else
        KillTimer(window_, timer.id);  // an interval of 0 never ticks
}

void WinEventLoop::disarm(TimerState& timer) { KillTimer(window_, timer.id); }

void WinEventLoop::forget(TimerState& timer) {
    KillTimer(window_, timer.id);
    timer.owner = nullptr;
    timers_.erase(timer.id);
}

void WinEventLoop::post(std::int64_t atMs, Lane lane, std::function<void()> fn) {
    posts_.push(Posted{atMs, static_cast<int>(lane), seq_++, std::move(fn)});
    if (atMs <= nowMs())
        PostMessageA(window_, kWakeMessage, 0, 0);
    else
        armWake();
}

void WinEventLoop::postFromAnyThread(std::function<void()> fn) {
    {
        std::lock_guard<std::mutex> lock(foreignMutex_);
        foreign_.push_back(std::move(fn));
    }
    PostMessageA(window_, kForeignMessage, 0, 0);
}

void WinEventLoop::armWake() {
    if (posts_.empty()) {
        KillTimer(window_, kWakeTimer);
        return;
    }
    const std::int64_t wait = posts_.top().at - nowMs();
    SetTimer(window_, kWakeTimer, static_cast<UINT>(wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait), nullptr);
}

void WinEventLoop::collectDuePosts() {
    const std::int64_t now = nowMs();
    while (!posts_.empty() && posts_.top().at <= now) {
        ready_.push_back(Ready{nullptr, posts_.top().fn});
        posts_.pop();
    }
    armWake();
}

void WinEventLoop::onTimerMessage(UINT_PTR id) {
    if (id == kWakeTimer) {
        collectDuePosts();
        return;
    }
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    TimerState& timer = *found->second;
    if (!timer.enabled || timer.due) return;  // ticks that pile up while a handler runs count once
    timer.due = true;
    ready_.push_back(Ready{found->second, {}});
}

LRESULT CALLBACK WinEventLoop::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* loop = reinterpret_cast<WinEventLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!loop) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_TIMER: loop->onTimerMessage(wParam); break;
        case kWakeMessage: loop->collectDuePosts(); break;
        case kForeignMessage: {
            std::vector<std::function<void()>> fns;
            {
                std::lock_guard<std::mutex> lock(loop->foreignMutex_);
                fns.swap(loop->foreign_);
            }
            for (auto& fn : fns) loop->ready_.push_back(Ready{nullptr, std::move(fn)});
            break;
        }
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
    loop->runReadyInsideModal();
    return 0;
}

void WinEventLoop::runReadyInsideModal() {
    // Only the box's own message loop runs handlers: not a loop that COM
    // runs while a handler started inside the box waits for the host.
    if (modalDepth_ != handlerDepth_ || endHeld_) return;
    try {
        runReady();
    } catch (const EndProgram&) {
        // The end must not unwind through the box's frames: it is held and
        // thrown again where the box was shown.
        endHeld_ = true;
        closeModalWindows();
    }
}

void WinEventLoop::closeModalWindows() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char cls[16] = {};
            GetClassNameA(window, cls, sizeof cls);
            if (std::string(cls) == "#32770") PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

void WinEventLoop::runHandler(std::function<void()> fn) {
    if (endHeld_ || stopped_) return;
    if (handlerDepth_ != 0 && modalDepth_ != handlerDepth_) {
        ready_.push_back(Ready{nullptr, std::move(fn)});
        PostMessageA(window_, WM_NULL, 0, 0);
        return;
    }
    ++handlerDepth_;
    try {
        fn();
    } catch (const EndProgram&) {
        --handlerDepth_;
        if (modalDepth_ < 0) throw;
        endHeld_ = true;
        closeModalWindows();
        return;
    }
    --handlerDepth_;
}

void WinEventLoop::runModal(const std::function<void()>& wait) {
    const int saved = modalDepth_;
    modalDepth_ = handlerDepth_;
    wait();
    modalDepth_ = saved;
    if (endHeld_) {
        endHeld_ = false;
        throw EndProgram{};
    }
}

void WinEventLoop::runReady() {
    struct Depth {
        int& d;
        explicit Depth(int& x) : d(x) { ++d; }
        ~Depth() { --d; }
    };
    while (!ready_.empty() && !stopped_ && !endHeld_) {
        Ready r = std::move(ready_.front());
        ready_.pop_front();
        if (!r.timer) {
            Depth depth(handlerDepth_);
            r.fn();
            continue;
        }
        if (!r.timer->owner || !r.timer->due) continue;  // withdrawn since it came due
        r.timer->due = false;
        if (r.timer->owner->onTick) {
            Depth depth(handlerDepth_);
            r.timer->owner->onTick();
        }
    }
}

void WinEventLoop::processPendingEvents() {
    MSG msg;
    while (!stopped_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            stopped_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    collectDuePosts();
    runReady();
}

void WinEventLoop::run() {
    stopped_ = false;
    while (!stopped_) {
        runReady();
        if (stopped_) break;
        MSG msg;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            stopped_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void WinEventLoop::stop() {
    stopped_ = true;
    PostMessageA(window_, WM_NULL, 0, 0);  // wakes a waiting GetMessage
}

}  // namespace tc::win32
