// The page under clients that never finish a request: the real program,
// 64 and then 200 connections from one address, each sending one more
// header line every 2 s and coming back whenever it is closed. Meanwhile
// a sysop's request every second (12 of them, each on a new connection);
// then SIGTERM, still under attack. Prints how long each took; not a test.
#include <httplib.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ChildProgram.h"
#include "SlowClients.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 18627;

void underAttack(const std::string& dir, int slow) {
    const pid_t program = bench::spawn({TAILCHIME_BIN, "--headless", dir + "/station.tcs", "--web",
                                        "127.0.0.1:" + std::to_string(kPort), "--config-dir", dir});
    for (int i = 0; i < 500; ++i) {
        httplib::Client probe("127.0.0.1", kPort);
        if (probe.Get("/api/session")) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<double> ms;
    long reconnects = 0;
    double stopMs = 0;
    {
        bench::SlowClients attack(kPort, slow);
        std::this_thread::sleep_for(std::chrono::seconds(3));
        for (int i = 0; i < 12; ++i) {
            const auto asked = Clock::now();
            httplib::Client sysop("127.0.0.1", kPort);
            sysop.set_connection_timeout(10, 0);
            sysop.set_read_timeout(10, 0);
            auto r = sysop.Get("/api/session");
            ms.push_back(r && r->status == 200 ? std::chrono::duration<double, std::milli>(Clock::now() - asked).count()
                                               : 1e9);
            std::this_thread::sleep_until(asked + std::chrono::seconds(1));
        }
        const auto asked = Clock::now();
        kill(program, SIGTERM);
        int waited = 0;
        while (waitpid(program, nullptr, WNOHANG) != program && waited++ < 1000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stopMs = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
        reconnects = attack.reconnects;
    }
    bench::stop(program, 100);
    const long within2s = std::count_if(ms.begin(), ms.end(), [](double m) { return m <= 2000; });
    std::sort(ms.begin(), ms.end());
    std::printf("%3d slow clients: sysop answered within 2 s %ld of 12 (median %.1f ms, worst %.1f ms); "
                "slow ones closed and back %ld times; SIGTERM to exit %.0f ms\n",
                slow, within2s, ms[6], ms.back(), reconnects, stopMs);
}

}  // namespace

int main() {
    const std::string dir = (std::filesystem::temp_directory_path() / "tailchime-bench-attack").string();
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/station.tcs") << "callsign W1AW-R\nat 600000 end\n";
    std::ofstream(dir + "/tailchime.ini") << "[WEB]\nVIEW=open\n";
    std::printf("%s\n", bench::load().c_str());
    for (int slow : {64, 200}) underAttack(dir, slow);
    std::filesystem::remove_all(dir);
    return 0;
}
