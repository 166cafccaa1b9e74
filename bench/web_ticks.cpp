// Whether the page's readers cost the station its punctuality: the
// lateness of the supervisor's 100 ms ticks while CW courtesies go out,
// first with no one reading the page, then with 50 clients each asking for
// /api/state ten times a second. Prints figures; not a test.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "WebStation.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 18623;
constexpr int kClients = 50;
constexpr std::int64_t kPhaseMs = 20000;

void print(const char* label, std::vector<double> late, long requests) {
    std::sort(late.begin(), late.end());
    auto at = [&](double q) { return late[static_cast<size_t>(q * static_cast<double>(late.size() - 1))]; };
    std::printf("%-22s ticks %zu  late p50 %.1f ms  p99 %.1f ms  max %.1f ms  requests answered %ld\n", label,
                late.size(), at(0.5), at(0.99), late.back(), requests);
}

}  // namespace

int main() {
    bench::WebStation web(kPort, {{"VIEW", "open"}});

    const std::int64_t first = web.loop.nowMs() + 1000;
    web.traffic(first, first + 2 * kPhaseMs, 4000, 2500);  // a counted over every four seconds, each with its CW courtesy
    web.timeTicks();
    const auto& ticks = web.ticks;

    std::atomic<bool> reading{false}, done{false};
    std::atomic<long> answered{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&] {
            httplib::Client c("127.0.0.1", kPort);
            while (!done) {
                auto next = Clock::now() + std::chrono::milliseconds(100);
                if (reading) {
                    auto r = c.Get("/api/state");
                    if (r && r->status == 200) ++answered;
                }
                std::this_thread::sleep_until(next);
            }
        });

    web.loop.runUntil(first + kPhaseMs);
    const std::size_t quiet = ticks.size();
    reading = true;
    web.loop.runUntil(first + 2 * kPhaseMs);
    done = true;
    for (auto& c : clients) c.join();

    const std::vector<double> late = bench::lateness(ticks, 100.0);
    auto part = [&](std::size_t from, std::size_t to) {
        return std::vector<double>(late.begin() + static_cast<long>(from), late.begin() + static_cast<long>(to));
    };
    std::printf("%s\n", bench::load().c_str());
    print("no one reading", part(0, quiet), 0);
    print("50 clients x 10/s", part(quiet, ticks.size()), answered.load());
    return 0;
}
