#include "transmit/sound/output/Synthesizer.h"

#include <fluidsynth.h>
#include <pthread.h>
#include <sched.h>

#include <filesystem>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

// The General MIDI soundfont of the Debian package timgm6mb-soundfont; else
// whichever soundfont the system names as its default.
const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

// At FluidSynth's default gain a single General MIDI voice is barely heard
// beside a WAV ident at full scale.
constexpr double kGain = 0.8;

struct Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    ~Engine() {
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

std::unique_ptr<Engine> loadEngine() {
    quietFluid();
    auto e = std::make_unique<Engine>();
    e->settings = new_fluid_settings();
    if (!e->settings) throw renderFailure("no MIDI synthesizer");
    fluid_settings_setnum(e->settings, "synth.sample-rate", 44100.0);
    fluid_settings_setnum(e->settings, "synth.gain", kGain);
    fluid_settings_setstr(e->settings, "player.timing-source", "sample");  // the rendered samples are the clock
    fluid_settings_setint(e->settings, "player.reset-synth", 1);
    // Dry sound: the tail of an effect would be cut at the tune's last event
    // anyway, and would linger into the next tune played.
    fluid_settings_setint(e->settings, "synth.reverb.active", 0);
    fluid_settings_setint(e->settings, "synth.chorus.active", 0);
    e->synth = new_fluid_synth(e->settings);
    if (!e->synth) throw renderFailure("no MIDI synthesizer");
    for (const char* font : kSoundFonts) {
        std::error_code ec;
        if (std::filesystem::exists(font, ec) && fluid_synth_sfload(e->synth, font, 1) != FLUID_FAILED) return e;
    }
    throw renderFailure("no General MIDI soundfont");
}

// Never destroyed: a stream that ends while the program exits may still hand
// its synthesizer back. Streams hand them back on the sound output's keeper
// thread, and one may be loading in the background.
struct Pool {
    std::mutex mutex;
    std::condition_variable loaded;
    std::vector<std::unique_ptr<Engine>> idle;
    bool loading = false;
};
Pool& pool() {
    static Pool* p = new Pool;
    return *p;
}

std::shared_ptr<fluid_synth_t> lend(std::unique_ptr<Engine> engine) {
    fluid_synth_system_reset(engine->synth);
    fluid_synth_t* synth = engine->synth;
    return {synth, [held = engine.release()](fluid_synth_t*) {
                std::lock_guard<std::mutex> lock(pool().mutex);
                pool().idle.emplace_back(held);
            }};
}

}  // namespace

void quietFluid() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

void prepareSynthesizer() {
    Pool& p = pool();
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        if (p.loading || !p.idle.empty()) return;
        p.loading = true;
    }
    std::thread([&p] {
        // Started from the station's thread, which may run real-time: the
        // loading is background work at ordinary priority.
        sched_param normal{};
        pthread_setschedparam(pthread_self(), SCHED_OTHER, &normal);
        std::unique_ptr<Engine> engine;
        try {
            engine = loadEngine();
        } catch (const RuntimeError&) {
            // No soundfont: the borrower finds out for itself and says so.
        }
        std::lock_guard<std::mutex> lock(p.mutex);
        if (engine) p.idle.push_back(std::move(engine));
        p.loading = false;
        p.loaded.notify_all();
    }).detach();
}

std::shared_ptr<fluid_synth_t> borrowSynthesizer() {
    Pool& p = pool();
    {
        std::unique_lock<std::mutex> lock(p.mutex);
        p.loaded.wait(lock, [&p] { return !p.loading || !p.idle.empty(); });
        if (!p.idle.empty()) {
            auto engine = std::move(p.idle.back());
            p.idle.pop_back();
            lock.unlock();
            return lend(std::move(engine));
        }
    }
    return lend(loadEngine());
}

}  // namespace tc::sound
