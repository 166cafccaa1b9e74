// Whether the page's readers cost the station its punctuality: the
// lateness of the supervisor's 100 ms ticks while CW courtesies go out,
// first with no one reading the page, then with 50 clients on kept
// connections each asking for /api/state ten times a second, then the same
// under 200 clients that never finish a request; last, how many requests a
// second 8 clients get answered asking as fast as they can. Prints figures;
// not a test.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "SlowClients.h"
#include "WebStation.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 18623;
constexpr int kClients = 60;
constexpr std::int64_t kPhaseMs = 20000;

double at(std::vector<double>& v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

void print(const char* label, std::vector<double> late, std::vector<double> waits) {
    std::printf("%-26s ticks %zu late p50 %.1f p99 %.1f max %.1f ms; %.0f requests/s, answered in p50 %.1f p99 %.1f "
                "max %.1f ms\n",
                label, late.size(), at(late, 0.5), at(late, 0.99), at(late, 1), double(waits.size()) * 1000 / kPhaseMs,
                at(waits, 0.5), at(waits, 0.99), at(waits, 1));
}

}  // namespace

int main() {
    bench::WebStation web(kPort, {{"VIEW", "open"}});

    const std::int64_t first = web.loop.nowMs() + 1000;
    web.traffic(first, first + 3 * kPhaseMs, 4000, 2500);  // a counted over every four seconds, each with its CW courtesy
    web.timeTicks();
    const auto& ticks = web.ticks;

    std::atomic<bool> reading{false}, done{false};
    std::atomic<int> phase{0};
    std::mutex mutex;
    std::vector<double> waits[3];  // of each phase's answered requests
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&] {
            httplib::Client c("127.0.0.1", kPort);
            c.set_keep_alive(true);
            while (!done) {
                auto next = Clock::now() + std::chrono::milliseconds(100);
                if (reading) {
                    const auto asked = Clock::now();
                    auto r = c.Get("/api/state");
                    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
                    std::lock_guard<std::mutex> lock(mutex);
                    if (r && r->status == 200) waits[phase].push_back(ms);
                }
                std::this_thread::sleep_until(next);
            }
        });

    web.loop.runUntil(first + kPhaseMs);
    const std::size_t quiet = ticks.size();
    phase = 1;
    reading = true;
    web.loop.runUntil(first + 2 * kPhaseMs);
    const std::size_t polled = ticks.size();
    std::size_t attacked;
    {
        bench::SlowClients slow(kPort, 200);
        phase = 2;
        web.loop.runUntil(first + 3 * kPhaseMs);
        attacked = ticks.size();
    }
    done = true;
    for (auto& c : clients) c.join();

    const std::vector<double> late = bench::lateness(ticks, 100.0);
    auto part = [&](std::size_t from, std::size_t to) {
        return std::vector<double>(late.begin() + static_cast<long>(from), late.begin() + static_cast<long>(to));
    };
    std::printf("%s\n", bench::load().c_str());
    print("no one reading", part(0, quiet), {});
    print("60 kept clients x 10/s", part(quiet, polled), waits[1]);
    print("the same + 200 slow ones", part(polled, attacked), waits[2]);

    std::atomic<long> fast{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> hammers;
    for (int i = 0; i < 8; ++i)
        hammers.emplace_back([&] {
            httplib::Client c("127.0.0.1", kPort);
            c.set_keep_alive(true);
            while (!stop)
                if (auto r = c.Get("/api/state"); r && r->status == 200) ++fast;
        });
    std::this_thread::sleep_for(std::chrono::seconds(5));
    stop = true;
    for (auto& h : hammers) h.join();
    std::printf("8 clients as fast as they can: %ld requests/s\n", fast.load() / 5);
    return 0;
}
