// How late the station's 100 ms ticks come on the real clock, with every
// core kept busy by other work: at normal priority, then on real-time
// scheduling (where the system allows it). Prints figures; not a test.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "core/StationLoop.h"
#include "platform/posix/RealTime.h"

namespace {

constexpr int kTicks = 200;  // 20 s of ticks per run

void measure(const char* label) {
    tc::StationLoop loop(tc::StationLoop::Pace::Real);
    auto timer = loop.newTimer(100, true);
    std::vector<double> late;
    auto start = std::chrono::steady_clock::now();
    timer->onTick = [&] {
        double now = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        late.push_back(now - 100.0 * static_cast<double>(late.size() + 1));
        if (static_cast<int>(late.size()) == kTicks) loop.stop();
    };
    loop.runUntil(1000LL * kTicks);
    // The loop re-arms a timer from its due time, so lateness does not add up:
    // each tick's lateness is its own.
    std::vector<double> step = late;
    std::sort(step.begin(), step.end());
    auto at = [&](double q) { return step[static_cast<size_t>(q * static_cast<double>(step.size() - 1))]; };
    std::printf("%-28s ticks %zu  late p50 %.1f ms  p99 %.1f ms  max %.1f ms\n", label, step.size(), at(0.5), at(0.99),
                step.back());
}

}  // namespace

int main() {
    std::atomic<bool> busy{true};
    std::vector<std::thread> load;
    for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i)
        load.emplace_back([&] {
            volatile unsigned long x = 0;
            while (busy) x = x + 1;
        });
    measure("normal priority");
    std::printf("%s\n", tc::raiseToRealTime().c_str());
    measure("after the raise");
    busy = false;
    for (auto& t : load) t.join();
}
