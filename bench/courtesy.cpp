// The station's timing against its sound output, on the real clock:
//   - courtesy latency beyond the hang-time poll that finds the carrier
//     gone, to the first period of sound handed to the output (CW and audio);
//   - how late the status clock's 100 ms ticks come meanwhile;
//   - a three-hour MP3 typed into the RF tone and tested: Command7 to sound,
//     and the ticks while it loads;
//   - the first MIDI ident of a run, with and without the soundfont loaded
//     ahead;
//   - wake-ups and CPU of the idle station before and after an ident;
//   - late feeds of the output with both cores kept busy.
// Prints figures with the machine's load beside them; not a test.
//
//   bench_courtesy [DROPS [PART...]]   (50 drops by default; the parts: midi audio cw mp3 idle load,
//                                       all by default; SDL_AUDIODRIVER=dummy without a sound card)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "BenchSupport.h"
#include "program/Form21.h"
#include "core/StationLoop.h"
#include "program/ToneFiles.h"
#include "app/posix/IniProfile.h"
#include "hostlink/SimulatedStation.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/output/CwOnTheAir.h"
#include "transmit/TransmitSequence.h"
#include "transmit/sound/output/SoundDevice.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::int64_t nowNs() { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); }

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

// The pre-roll wait before every audio ident, as this machine runs it now.
double preRollMs() {
    std::vector<double> ms;
    for (int i = 0; i < 9; ++i) {
        auto start = Clock::now();
        tc::TransmitSequence::Sleep();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return percentile(ms, 0.5);
}

std::int64_t soundingSince() { return tc::sound::SoundDevice::shared().figures().soundingSinceNs; }

// The windowed program's station on the simulated host, without windows,
// on the real clock, with the status clock's ticks watched.
struct Station {
    explicit Station(const fs::path& dir, bool audioIdents)
        : profile((dir / "tailchime.ini").string()),
          audio(tc::makeDeviceAudio(loop, nullptr)),
          form({loop, host, *audio, desktop, profile, tc::defaultTone("RF.wav"), tc::defaultTone("IP.wav"), {}, {}}) {
        host.addListener(&cw);
        form.load();
        form.panel.Options.setOption1(!audioIdents);
        form.panel.Options.setOption2(audioIdents);
        auto tick = form.panel.Timer1->onTick;
        form.panel.Timer1->onTick = [this, tick] {
            std::int64_t now = nowNs();
            if (lastTick) tickLateMs.push_back(static_cast<double>(now - lastTick) / 1e6 - 100.0);
            lastTick = now;
            tick();
        };
    }

    double latestTickLateMs() const { return tickLateMs.empty() ? 0 : *std::max_element(tickLateMs.begin(), tickLateMs.end()); }

    tc::StationLoop loop{tc::StationLoop::Pace::Real};
    tc::SimulatedStation host{loop, "N0CALL-L"};
    tc::sound::CwOnTheAir cw;
    tc::IniProfile profile;
    bench::QuietDesktop desktop;
    std::unique_ptr<tc::AudioGraphFactory> audio;
    tc::Form21 form;
    std::vector<double> tickLateMs;
    std::int64_t lastTick = 0;
};

void courtesy(const fs::path& dir, bool audioIdents, int drops) {
    Station s(dir, audioIdents);
    s.form.type("KerchunkWait", "300");
    s.form.type("HangTime", "200");
    std::vector<std::int64_t> polls;
    auto poll = s.form.panel.KickBackCheck->onTick;
    s.form.panel.KickBackCheck->onTick = [&, poll] {
        std::int64_t at = nowNs();
        poll();
        if (!s.form.panel.KickBackCheck->enabled()) polls.push_back(at);  // this poll found the carrier gone
    };
    // The audio ident plays once the pre-roll is over: from there to its
    // first sound is the sound output's own delay.
    std::vector<std::int64_t> playing;
    auto sub = s.form.events.subscribe([&](const tc::StationEvent& e, std::int64_t) {
        if (std::holds_alternative<tc::event::Playing>(e)) playing.push_back(nowNs());
    });
    std::vector<double> latency, beyond;
    constexpr int kCycleMs = 2500;
    s.loop.post(900, tc::Lane::Outside, [&] { s.tickLateMs.clear(); });  // start-up is over
    for (int i = 0; i < drops; ++i) {
        std::int64_t t = 1000 + std::int64_t{i} * kCycleMs;
        s.loop.post(t, tc::Lane::Outside, [&] { s.host.raiseCarrier(true); });
        s.loop.post(t + 700, tc::Lane::Outside, [&] { s.host.raiseCarrier(false); });
        s.loop.post(t + kCycleMs - 100, tc::Lane::Outside, [&] {
            std::int64_t sound = soundingSince();
            if (!polls.empty() && sound > polls.back()) latency.push_back(static_cast<double>(sound - polls.back()) / 1e6);
            if (!playing.empty() && sound > polls.back()) beyond.push_back(static_cast<double>(sound - playing.back()) / 1e6);
        });
    }
    s.loop.runUntil(1000 + std::int64_t{drops} * kCycleMs);
    if (audioIdents) std::printf("pre-roll wait on this machine now: %.1f ms  (%s)\n", preRollMs(), bench::load().c_str());
    std::printf("%-6s courtesy: %zu of %d drops sounded; poll -> first sound p50 %.1f ms, p99 %.1f ms, max %.1f ms; "
                "status clock ticks late p99 %.1f ms, max %.1f ms  (%s)\n",
                audioIdents ? "audio" : "CW", latency.size(), drops, percentile(latency, 0.5), percentile(latency, 0.99),
                percentile(latency, 1.0), percentile(s.tickLateMs, 0.99), s.latestTickLateMs(), bench::load().c_str());
    if (!beyond.empty())
        std::printf("audio  courtesy after the pre-roll: start of play -> first sound p50 %.2f ms, p99 %.2f ms, max %.2f "
                    "ms; the run's first drop: poll -> first sound %.1f ms, after the pre-roll %.2f ms  (%s)\n",
                    percentile(beyond, 0.5), percentile(beyond, 0.99), percentile(beyond, 1.0), latency.front(),
                    beyond.front(), bench::load().c_str());
}

bool sh(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Three hours of 5 s pieces, each encoded by lame without a length tag, joined.
std::string threeHourMp3(const fs::path& dir) {
    fs::path wav = dir / "piece.wav", piece = dir / "piece.mp3", whole = dir / "three-hours.mp3";
    if (!sh("sox -n -r 44100 -c 1 -b 16 " + wav.string() + " synth 5 sine 440 vol 0.5") ||
        !sh("lame --quiet -t " + wav.string() + " " + piece.string()))
        return "";
    std::ifstream in(piece, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream out(whole, std::ios::binary);
    for (int i = 0; i < 3 * 3600 / 5; ++i) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return whole.string();
}

void longMp3(const fs::path& dir) {
    std::string mp3 = threeHourMp3(dir);
    if (mp3.empty()) {
        std::printf("three-hour MP3: needs sox and lame\n");
        return;
    }
    sh("cat " + mp3 + " >/dev/null");  // in the page cache, as an ident played before would be
    Station s(dir, true);
    s.form.type("RFTone", mp3);
    std::int64_t clicked = 0;
    s.loop.post(300, tc::Lane::Outside, [&] {
        s.tickLateMs.clear();
        clicked = nowNs();
        s.form.click("Command7");
    });
    s.loop.runUntil(2500);
    std::int64_t sound = soundingSince();
    std::printf("three-hour MP3 (%.0f MB, no tag): Command7 -> first sound %.1f ms; ticks late max %.1f ms  (%s)\n",
                static_cast<double>(fs::file_size(mp3)) / 1e6,
                sound > clicked ? static_cast<double>(sound - clicked) / 1e6 : -1.0, s.latestTickLateMs(),
                bench::load().c_str());
    s.form.click("Command2");  // stop
    s.loop.runUntil(2700);
}

// In a fresh process each, as the first MIDI ident of a run: the load of
// the graph, with the soundfont loaded ahead (as at start-up when a MIDI
// ident is set) or not.
void firstMidi(const fs::path& dir) {
    std::string tune = (dir / "tune.mid").string();
    bench::writeTune(tune, false);
    for (bool ahead : {false, true}) {
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0) {
            tc::StationLoop loop;
            auto audio = tc::makeDeviceAudio(loop, nullptr);
            if (ahead) {
                audio->Prepare(tune);
                std::this_thread::sleep_for(std::chrono::seconds(1));  // the station waits for traffic
            }
            auto graph = audio->NewGraph();
            auto start = Clock::now();
            graph->RenderFile(tune);
            double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("first MIDI ident of a run, soundfont %s: RenderFile %.1f ms  (%s)\n",
                        ahead ? "loaded ahead" : "not loaded ahead", ms, bench::load().c_str());
            std::fflush(stdout);
            _exit(0);
        }
        waitpid(child, nullptr, 0);
    }
}

struct Usage {
    double cpuS = 0;
    long switches = 0;
};

// CPU of the process and context switches of all its threads so far.
Usage usage() {
    Usage u;
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    u.cpuS = static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
             static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream status(task.path() / "status");
        for (std::string key; status >> key;) {
            long n = 0;
            if ((key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") && status >> n) u.switches += n;
        }
    }
    return u;
}

void idle(const fs::path& dir) {
    constexpr int kSeconds = 20;
    Station s(dir, true);
    auto measure = [&](const char* when, std::int64_t from) {
        s.loop.runUntil(from);
        Usage a = usage();
        s.loop.runUntil(from + kSeconds * 1000);
        Usage b = usage();
        std::printf("idle %-18s %ld context switches, %.3f s CPU in %d s  (%s)\n", when, b.switches - a.switches,
                    b.cpuS - a.cpuS, kSeconds, bench::load().c_str());
    };
    measure("before any ident:", 1000);
    s.loop.post(s.loop.nowMs(), tc::Lane::Outside, [&] { s.form.click("Command7"); });
    measure("after an ident:", s.loop.nowMs() + 3000);
}

// A ten-second tone with both cores kept busy by spinning threads.
void underLoad(const fs::path& dir) {
    std::string tone = (dir / "ten.wav").string();
    if (!sh("sox -n -r 44100 -c 1 -b 16 " + tone + " synth 10 sine 440 vol 0.5")) return;
    // The spinning stops however the measurement ends.
    struct Busy {
        std::atomic<bool> spin{true};
        std::vector<std::thread> threads;
        Busy() {
            for (int i = 0; i < 2; ++i)
                threads.emplace_back([this] {
                    while (spin.load()) {
                    }
                });
        }
        ~Busy() {
            spin.store(false);
            for (auto& t : threads) t.join();
        }
    };
    auto busy = std::make_unique<Busy>();
    tc::StationLoop loop(tc::StationLoop::Pace::Real);
    auto audio = tc::makeDeviceAudio(loop, nullptr);
    auto& device = tc::sound::SoundDevice::shared();
    auto before = device.figures();
    auto graph = audio->NewGraph();
    graph->RenderFile(tone);
    graph->Run();
    while (graph->get_CurrentPosition() < graph->get_Duration()) loop.runUntil(loop.nowMs() + 50);
    auto after = device.figures();
    busy.reset();
    std::printf("10 s tone, both cores busy: %llu late feeds of %llu, longest feed %.2f ms, output thread %s  (%s)\n",
                static_cast<unsigned long long>(after.lateFeeds - before.lateFeeds),
                static_cast<unsigned long long>(after.feeds - before.feeds), after.longestFeedMs,
                after.realTime ? "real-time" : "at normal priority", bench::load().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int drops = argc > 1 ? std::atoi(argv[1]) : 50;
    std::string pattern = (fs::temp_directory_path() / "tailchime-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    fs::path dir = pattern;
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    std::printf("sound output: %s; output period %d frames at %d Hz\n", driver ? driver : "SDL's default",
                tc::sound::SoundDevice::kPeriodFrames, tc::sound::SoundDevice::kRate);
    int status = 0;
    try {
        const std::vector<std::string> parts(argv + std::min(argc, 2), argv + argc);
        auto chosen = [&](const char* part) { return parts.empty() || std::find(parts.begin(), parts.end(), part) != parts.end(); };
        if (chosen("midi")) firstMidi(dir);
        if (chosen("audio")) courtesy(dir, true, drops);  // before the others: its first drop is the run's first sound
        if (chosen("cw")) courtesy(dir, false, drops);
        if (chosen("mp3")) longMp3(dir);
        if (chosen("idle")) idle(dir);
        if (chosen("load")) underLoad(dir);
    } catch (const std::exception& e) {
        // No sound device here: SDL_AUDIODRIVER=dummy measures without one.
        std::fprintf(stderr, "bench_courtesy: %s\n", e.what());
        status = 1;
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return status;
}
