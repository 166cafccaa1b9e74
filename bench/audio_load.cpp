// How fast the player gets a tone file ready and sounding: load time per
// format, Run to the first sample handed to the device, CPU time per second
// of playback, and our decoding pass against sox's. Prints figures only.
//
//   bench_audio_load [--long]     --long adds a three-hour MP3 (time, peak memory)
//
// With no sound device, run it with SDL_AUDIODRIVER=dummy (real-time pace).

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "core/StationLoop.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/output/PlayableFile.h"
#include "transmit/sound/PlayHead.h"
#include "transmit/sound/output/SoundDevice.h"
#include "transmit/sound/output/Synthesizer.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Notes the moment the device thread first asks for sound.
class FirstRead final : public tc::sound::AudioSource {
public:
    explicit FirstRead(std::unique_ptr<AudioSource> inner) : inner_(std::move(inner)) {}
    int sampleRate() const override { return inner_->sampleRate(); }
    int channels() const override { return inner_->channels(); }
    std::int64_t frames() const override { return inner_->frames(); }
    std::size_t read(float* out, std::size_t frames) override {
        if (!read_.load()) {
            at_ = Clock::now();
            read_.store(true);
        }
        return inner_->read(out, frames);
    }
    void seek(std::int64_t frame) override { inner_->seek(frame); }

    std::atomic<bool> read_{false};
    Clock::time_point at_;

private:
    std::unique_ptr<AudioSource> inner_;
};

// From Run to the first read of the stream: the output opens first when it
// was closed (the keeper does that, not the caller).
double runToFirstSampleMs(const std::string& file) {
    auto& device = tc::sound::SoundDevice::shared();
    auto source = std::make_unique<FirstRead>(tc::sound::openAudio(file));
    FirstRead* probe = source.get();
    auto head = std::make_shared<tc::sound::PlayHead>(std::move(source), 240, device.kRate);
    device.add(head);
    auto start = Clock::now();
    head->run();
    device.wake();
    while (!probe->read_.load()) std::this_thread::yield();
    double ms = std::chrono::duration<double, std::milli>(probe->at_ - start).count();
    device.remove(head);
    return ms;
}

// CPU time of the whole process per second of sound, playing the file through.
double cpuMsPerSecond(tc::AudioGraphFactory& device, const std::string& file) {
    auto g = device.NewGraph();
    g->RenderFile(file);
    double cpu = cpuSeconds();
    auto start = Clock::now();
    g->Run();
    while (g->get_CurrentPosition() < g->get_Duration()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double seconds = msSince(start) / 1000;
    return (cpuSeconds() - cpu) * 1000 / seconds;
}

void longMp3(const fs::path& dir) {
    fs::path piece = dir / "piece.mp3", whole = dir / "three-hours.mp3";
    if (!run("lame --quiet -t " + (dir / "tone.wav").string() + " " + piece.string())) return;
    {
        std::ifstream in(piece, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream out(whole, std::ios::binary);
        for (int i = 0; i < 3 * 3600 / 5; ++i) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    auto start = Clock::now();
    auto length = tc::sound::measureAudio(whole.string());
    double ms = msSince(start);
    getrusage(RUSAGE_SELF, &after);
    std::printf("\nthree-hour MP3 (%.0f MB): %.1f s of sound measured in %.0f ms; peak RSS %.1f MB (was %.1f MB)\n",
                static_cast<double>(fs::file_size(whole)) / 1e6, static_cast<double>(length.frames) / length.sampleRate,
                ms, after.ru_maxrss / 1024.0, before.ru_maxrss / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (fs::temp_directory_path() / "tailchime-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    fs::path dir = pattern;
    std::string wav = (dir / "tone.wav").string(), mp3 = (dir / "tone.mp3").string();
    std::string mp2 = (dir / "tone.mp2").string(), mid = (dir / "tune.mid").string();
    if (!run("sox -n -r 44100 -c 1 -b 16 " + wav + " synth 5 sine 440 vol 0.5") ||
        !run("lame --quiet " + wav + " " + mp3) || !run("twolame --quiet " + wav + " " + mp2)) {
        std::fprintf(stderr, "needs sox, lame and twolame\n");
        return 1;
    }
    bench::writeTune(mid, true);

    const char* driver = std::getenv("SDL_AUDIODRIVER");
    std::printf("sound output: %s\n", driver ? driver : "SDL's default");
    auto fontStart = Clock::now();
    tc::sound::borrowSynthesizer();
    std::printf("soundfont loaded once per run in %.1f ms (not counted below)\n\n", msSince(fontStart));

    tc::StationLoop loop;
    auto device = tc::makeDeviceAudio(loop, nullptr);
    auto virtualAudio = tc::makeVirtualAudio(loop, nullptr);
    std::printf("%-5s %12s %9s %12s %10s %8s %12s %13s\n", "file", "load device", "release", "load virtual", "sox -n",
                "ratio", "Run->sample", "CPU ms per s");
    for (const std::string& file : {wav, mp3, mp2, mid}) {
        std::vector<double> deviceMs, releaseMs, virtualMs, soxMs, firstMs;
        try {
            for (int i = 0; i < 9; ++i) {
                auto graph = device->NewGraph();
                auto start = Clock::now();
                graph->RenderFile(file);
                deviceMs.push_back(msSince(start));
                start = Clock::now();
                graph.reset();
                releaseMs.push_back(msSince(start));
                graph = virtualAudio->NewGraph();
                start = Clock::now();
                graph->RenderFile(file);
                virtualMs.push_back(msSince(start));
            }
            for (int i = 0; i < 5; ++i) firstMs.push_back(runToFirstSampleMs(file));
        } catch (const std::exception& e) {
            std::printf("%s: %s\n", file.c_str(), e.what());
            return 1;
        }
        bool soxDecodes = file != mid;
        for (int i = 0; soxDecodes && i < 5; ++i) {
            auto start = Clock::now();
            run("sox " + file + " -n");
            soxMs.push_back(msSince(start));
        }
        double cpu = cpuMsPerSecond(*device, file);
        std::string ext = fs::path(file).extension().string().substr(1);
        if (soxDecodes)
            std::printf("%-5s %9.2f ms %6.2f ms %9.2f ms %7.2f ms %8.2f %9.2f ms %13.2f\n", ext.c_str(),
                        median(deviceMs), median(releaseMs), median(virtualMs), median(soxMs),
                        median(virtualMs) / median(soxMs), median(firstMs), cpu);
        else
            std::printf("%-5s %9.2f ms %6.2f ms %9.2f ms %10s %8s %9.2f ms %13.2f\n", ext.c_str(), median(deviceMs),
                        median(releaseMs), median(virtualMs), "-", "-", median(firstMs), cpu);
    }
    std::printf(
        "\nload: median of 9 RenderFile calls (device: the file opened and measured; virtual: measured\n"
        "alone); release: letting the graph go; ratio: virtual load / sox decoding the same file (sox\n"
        "includes its own start-up); Run->sample: median of 5, Run to the output's thread asking for\n"
        "the first sound, the output's opening included when it had closed.\n");
    if (argc > 1 && std::string(argv[1]) == "--long") longMp3(dir);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
