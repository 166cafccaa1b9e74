// A virtual day of station traffic: every five minutes a counted RF over
// and an Internet over, every ten minutes a kerchunk. Prints the wall time
// of the day and the cost of one 100 ms tick, first with CW idents, then
// with audio idents, where each ident's pre-roll wait really runs.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "program/Form21.h"
#include "app/posix/IniProfile.h"
#include "core/StationLoop.h"
#include "program/ToneFiles.h"
#include "hostlink/SimulatedStation.h"
#include "transmit/sound/AudioFactories.h"

namespace {

constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;

struct Counter : tc::HostListener {
    int cw = 0, keyUps = 0;
    void cwSent(const std::string&) override { ++cw; }
    void transmitterChanged(bool keyed) override { keyUps += keyed; }
};

void day(bool audio) {
    std::string dir = (std::filesystem::temp_directory_path() / "tailchime-bench").string();
    std::filesystem::create_directories(dir);
    tc::StationLoop loop;
    tc::SimulatedStation station(loop, "N0CALL-L");
    Counter counter;
    station.addListener(&counter);
    tc::IniProfile profile(dir + "/tailchime.ini");
    bench::QuietDesktop desktop;
    auto graphs = tc::makeVirtualAudio(loop, nullptr);
    tc::Form21 form({loop, station, *graphs, desktop, profile, tc::defaultTone("RF.wav"), tc::defaultTone("IP.wav"),
                     {}, {}});
    form.load();
    if (audio) form.panel.Options.setOption2(true);

    int overs = 0;
    for (std::int64_t t = 60'000; t < kDayMs; t += 300'000) {
        loop.post(t, tc::Lane::Outside, [&] { station.raiseCarrier(true); });
        loop.post(t + 5'000, tc::Lane::Outside, [&] { station.raiseCarrier(false); });
        loop.post(t + 60'000, tc::Lane::Outside, [&] { station.raiseRX(true); });
        loop.post(t + 70'000, tc::Lane::Outside, [&] { station.raiseRX(false); });
        ++overs;
    }
    for (std::int64_t t = 150'000; t < kDayMs; t += 600'000) {
        loop.post(t, tc::Lane::Outside, [&] { station.raiseCarrier(true); });
        loop.post(t + 1'000, tc::Lane::Outside, [&] { station.raiseCarrier(false); });
    }

    auto start = std::chrono::steady_clock::now();
    loop.runUntil(kDayMs);
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double ticks = kDayMs / 100.0;  // each 100 ms: status clock (two timers) and the supervisor
    std::printf("%-12s overs %d+%d, CW idents %d, key-ups %d, messages %d\n", audio ? "audio idents" : "CW idents",
                overs, overs, counter.cw, counter.keyUps, desktop.messages);
    std::printf("%-12s whole day %.3f s wall, %.2f us per 100 ms tick\n", "", wall, wall / ticks * 1e6);
    std::filesystem::remove_all(dir);
}

}  // namespace

int main() {
    day(false);
    day(true);
    return 0;
}
