// What the bridge to a club's broker costs and how quick it is: the delay
// from a station event (an over's end) to its message at a subscriber of a
// Mosquitto on this machine; the lateness of the supervisor's 100 ms ticks
// while the broker answers and while it stalls (stopped with SIGSTOP for
// the second half); and the resident memory of the program with and
// without the bridge. Prints figures; not a test.
#include <mosquitto.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "ChildProgram.h"
#include "WebStation.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBroker = 18641, kPage = 18642;
constexpr std::int64_t kPhaseMs = 15000;

bool listening(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

// Resident memory of the program running a long script, after it settled.
double residentMb(const std::vector<std::string>& extra) {
    std::ofstream("/tmp/tailchime-bench-long.tcs") << "at 600000 end\n";
    std::vector<std::string> args{TAILCHIME_BIN, "--headless", "/tmp/tailchime-bench-long.tcs", "--config-dir",
                                  "/tmp/tailchime-bench-club"};
    args.insert(args.end(), extra.begin(), extra.end());
    pid_t pid = bench::spawn(args);
    std::this_thread::sleep_for(std::chrono::seconds(3));
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    double kb = 0;
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) kb = std::stod(line.substr(6));
    bench::stop(pid);
    return kb / 1024;
}

}  // namespace

int main() {
    std::ofstream("/tmp/tailchime-bench-mosquitto.conf") << "listener " << kBroker << " 127.0.0.1\npersistence false\n"
                                                         << "allow_anonymous true\n";
    pid_t broker = bench::spawn({"mosquitto", "-c", "/tmp/tailchime-bench-mosquitto.conf"});
    for (int i = 0; i < 100 && !listening(kBroker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));

    // A subscriber that notes when each over arrives.
    std::vector<Clock::time_point> sent, heard;
    mosquitto_lib_init();
    mosquitto* sub = mosquitto_new("bench-subscriber", true, &heard);
    mosquitto_message_callback_set(sub, [](mosquitto*, void* obj, const mosquitto_message* m) {
        std::string payload(static_cast<const char*>(m->payload), static_cast<size_t>(m->payloadlen));
        if (payload.find("\"event\":\"over\"") != std::string::npos)
            static_cast<std::vector<Clock::time_point>*>(obj)->push_back(Clock::now());
    });
    mosquitto_connect(sub, "127.0.0.1", kBroker, 30);
    mosquitto_subscribe(sub, nullptr, "tailchime/W1AW-R/event", 0);
    mosquitto_loop_start(sub);

    bench::WebStation web(kPage, {}, "127.0.0.1:" + std::to_string(kBroker));
    auto overs = web.form.events.subscribe([&](const tc::StationEvent& e, std::int64_t) {
        if (std::holds_alternative<tc::event::OverEnded>(e)) sent.push_back(Clock::now());
    });
    const std::int64_t first = web.loop.nowMs() + 1000;
    web.traffic(first, first + 2 * kPhaseMs, 600, 300);  // a kerchunk every 600 ms
    web.timeTicks();
    const auto& ticks = web.ticks;
    web.loop.runUntil(first + kPhaseMs);
    const std::size_t answering = ticks.size(), deliveredOvers = sent.size();
    kill(broker, SIGSTOP);
    web.loop.runUntil(first + 2 * kPhaseMs);
    kill(broker, SIGCONT);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    mosquitto_loop_stop(sub, true);

    std::vector<double> delay;
    for (std::size_t i = 0; i < std::min(deliveredOvers, heard.size()); ++i)
        delay.push_back(std::chrono::duration<double, std::milli>(heard[i] - sent[i]).count());
    const std::vector<double> late = bench::lateness(ticks, 100.0);
    std::vector<double> before(late.begin(), late.begin() + long(answering)), stalled(late.begin() + long(answering), late.end());

    std::printf("%s\n", bench::load().c_str());
    std::printf("event to subscriber  overs %zu  p50 %.2f ms  p99 %.2f ms  max %.2f ms\n", delay.size(),
                percentile(delay, 0.5), percentile(delay, 0.99), percentile(delay, 1.0));
    std::printf("ticks, broker answers  %zu  late p50 %.1f ms  p99 %.1f ms  max %.1f ms\n", before.size(),
                percentile(before, 0.5), percentile(before, 0.99), percentile(before, 1.0));
    std::printf("ticks, broker stalled  %zu  late p50 %.1f ms  p99 %.1f ms  max %.1f ms\n", stalled.size(),
                percentile(stalled, 0.5), percentile(stalled, 0.99), percentile(stalled, 1.0));
    const double without = residentMb({}), with = residentMb({"--mqtt", "127.0.0.1:" + std::to_string(kBroker)});
    std::printf("resident memory, headless on the real clock: %.1f MB without the bridge, %.1f MB with it\n", without,
                with);
    bench::stop(broker);
    return 0;
}
