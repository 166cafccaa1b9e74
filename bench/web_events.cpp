// How soon the page hears of a change: the time from the station's carrier
// coming up to the RF lamp on an open event stream (the status clock lights
// the lamp at its next tick), and from a control's request to the stream's
// state that shows it carried out. Prints figures; not a test.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "WebStation.h"
#include "core/Mailbox.h"
#include "web/secure/Secrets.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 18622;
constexpr int kRounds = 40;

struct Seen {
    std::mutex mutex;
    std::string text;  // what the stream delivered so far
    std::vector<std::pair<Clock::time_point, std::size_t>> arrivals;
};

void print(const char* label, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return void(std::printf("%-34s none arrived\n", label));
    std::printf("%-34s n %zu  p50 %.1f ms  p90 %.1f ms  max %.1f ms\n", label, ms.size(), ms[ms.size() / 2],
                ms[ms.size() * 9 / 10], ms.back());
}

// When the text first arrived at or after `from` in the stream.
double arrival(Seen& seen, std::size_t fromOffset, const std::string& text, Clock::time_point since) {
    const auto guard = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < guard) {
        {
            std::lock_guard<std::mutex> lock(seen.mutex);
            auto at = seen.text.find(text, fromOffset);
            if (at != std::string::npos)
                for (auto& [when, end] : seen.arrivals)
                    if (end > at) return std::chrono::duration<double, std::milli>(when - since).count();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1;
}

}  // namespace

int main() {
    bench::WebStation web(kPort, {{"PASSWORD", *tc::secrets::hashPassword("bench")}});

    // The station's loop is its own thread's: the carrier is raised through
    // a mailbox, as a radio's thread would raise it.
    tc::Mailbox mailbox(web.loop, 1);
    std::atomic<bool> running{true};
    std::thread station([&] {
        while (running) web.loop.runUntil(web.loop.nowMs() + 50);
    });

    httplib::Client client("127.0.0.1", kPort);
    httplib::Headers origin{{"Origin", "http://127.0.0.1:" + std::to_string(kPort)}};
    auto login = client.Post("/api/login", origin, "{\"password\":\"bench\"}", "application/json");
    if (!login || login->status != 200) return std::printf("cannot log in\n"), 1;
    std::string cookie = login->get_header_value("Set-Cookie");
    cookie = cookie.substr(0, cookie.find(';'));
    origin.emplace("Cookie", cookie);

    Seen seen;
    httplib::Client streamer("127.0.0.1", kPort);
    std::thread reader([&] {
        streamer.Get("/api/events", httplib::Headers{{"Cookie", cookie}}, [&](const char* data, size_t n) {
            std::lock_guard<std::mutex> lock(seen.mutex);
            seen.text.append(data, n);
            seen.arrivals.emplace_back(Clock::now(), seen.text.size());
            return running.load();
        });
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    std::vector<double> lamp, control;
    for (int i = 0; i < kRounds; ++i) {
        std::size_t offset;
        {
            std::lock_guard<std::mutex> lock(seen.mutex);
            offset = seen.text.size();
        }
        const auto up = Clock::now();
        mailbox.send([&] { web.station.raiseCarrier(true); });
        if (double ms = arrival(seen, offset, "\"rf\":true,\"internet\"", up); ms >= 0) lamp.push_back(ms);
        mailbox.send([&] { web.station.raiseCarrier(false); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));

        {
            std::lock_guard<std::mutex> lock(seen.mutex);
            offset = seen.text.size();
        }
        const char* mode = i % 2 ? "cw" : "audio";
        const auto asked = Clock::now();
        client.Post("/api/control", origin, std::string("{\"action\":\"") + mode + "\"}", "application/json");
        if (double ms = arrival(seen, offset, std::string("\"mode\":\"") + mode + "\"", asked); ms >= 0)
            control.push_back(ms);
    }
    std::printf("%s\n", bench::load().c_str());
    print("carrier up -> RF lamp on the stream", lamp);
    print("control request -> its state", control);

    running = false;
    station.join();
    web.supervision.reset();  // ends the stream
    reader.join();
    return 0;
}
