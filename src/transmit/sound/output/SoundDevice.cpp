#include "transmit/sound/output/SoundDevice.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>

#include "transmit/sound/DecoderQuiet.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/output/OutputPriority.h"

namespace tc::sound {

namespace {

std::mutex& chosenLock() {
    static std::mutex m;
    return m;
}
std::string& chosenDevice() {
    static std::string name;
    return name;
}

// SDL's own log would land on the operator's terminal; its failures reach us
// through SDL_GetError. SIGTERM and SIGINT stay the program's: SDL would
// otherwise take them over and turn them into a quit event nobody reads.
bool initAudio(std::string& why) {
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) return true;
    why = std::string("no sound output: ") + SDL_GetError();
    return false;
}

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void useOutputDevice(std::string name) {
    std::lock_guard<std::mutex> lock(chosenLock());
    chosenDevice() = std::move(name);
}

std::vector<std::string> outputDeviceNames() {
    DecoderQuiet quiet;
    std::string why;
    if (!initAudio(why)) throw renderFailure(why);
    std::vector<std::string> names;
    int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
        if (const char* name = SDL_GetAudioDeviceName(i, 0)) names.emplace_back(name);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return names;
}

// Never destroyed: heads may still be handed back while the program exits.
SoundDevice& SoundDevice::shared() {
    static SoundDevice* device = new SoundDevice;
    return *device;
}

SoundDevice::SoundDevice() : keeper_([this] { serve(); }) { keeper_.detach(); }

// ---- the logic thread ----

void SoundDevice::check() {
    if (!failed_.load()) return;
    std::string why;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        why = failure_;
        retry_ = true;
    }
    wake_.notify_one();
    throw renderFailure(why);
}

void SoundDevice::add(std::shared_ptr<PlayHead> head) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        changes_.push_back({std::move(head), true});
    }
    wake_.notify_one();
}

void SoundDevice::remove(std::shared_ptr<PlayHead> head) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        changes_.push_back({std::move(head), false});
    }
    wake_.notify_one();
}

void SoundDevice::wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

SoundDevice::Figures SoundDevice::figures() const {
    return {opens_.load(),
            feeds_.load(),
            lateFeeds_.load(),
            static_cast<double>(longestFeedNs_.load()) / 1e6,
            soundingSinceNs_.load(),
            realTime_.load()};
}

// ---- the keeper thread ----

void SoundDevice::serve() {
    // The station's thread may run on real-time scheduling; opening and
    // closing the output is no business of that priority.
    normalPriority();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !changes_.empty() || woken_ || idle_ || retry_; });
        std::vector<Change> changes;
        changes.swap(changes_);
        const bool idle = idle_, retry = retry_;
        woken_ = idle_ = retry_ = false;
        lock.unlock();

        if (!changes.empty()) {
            if (device_) SDL_LockAudioDevice(device_);
            for (Change& c : changes) {
                auto at = std::find(heads_.begin(), heads_.end(), c.head);
                if (c.add && at == heads_.end()) heads_.push_back(c.head);
                if (!c.add && at != heads_.end()) heads_.erase(at);
            }
            if (device_) SDL_UnlockAudioDevice(device_);
        }
        changes.clear();  // heads let go of here, out of the output's way

        bool wanted = std::any_of(heads_.begin(), heads_.end(), [](const auto& h) { return h->wantsOutput(); });
        std::string why;
        bool tried = false;
        if ((wanted || retry) && !device_) {
            tried = true;
            if (!openOutput(why))
                for (auto& head : heads_)
                    if (head->wantsOutput()) head->abandon();
        }
        if (device_ && !wanted && (idle || retry)) closeOutput();

        lock.lock();
        if (tried) {
            failure_ = why;
            failed_.store(!why.empty());
        }
    }
}

bool SoundDevice::openOutput(std::string& why) {
    // The sound libraries below SDL (ALSA on a machine without a card) print
    // their complaints on stderr: keep them off the terminal.
    DecoderQuiet quiet;
    if (!initAudio(why)) return false;
    std::string name;
    {
        std::lock_guard<std::mutex> lock(chosenLock());
        name = chosenDevice();
    }
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = PlayHead::kChannels;
    want.samples = kPeriodFrames;
    want.callback = [](void* self, Uint8* stream, int bytes) {
        static_cast<SoundDevice*>(self)->feed(reinterpret_cast<float*>(stream),
                                              bytes / static_cast<int>(sizeof(float) * PlayHead::kChannels));
    };
    want.userdata = this;
    SDL_AudioSpec have{};
    silentFrames_ = 0;
    toldIdle_ = false;
    wasBusy_ = false;
    lastFeedNs_ = 0;
    scratch_.assign(static_cast<std::size_t>(kPeriodFrames) * PlayHead::kChannels * 4, 0.0f);
    // SDL's output thread starts paused and, when it finds itself paused,
    // plays a period of silence before it looks again: the sound would come
    // a period late. It is unpaused the moment it exists, and it is born
    // of this thread on real-time scheduling where the system allows it, so
    // that it is not left waiting for a processor on a busy machine either.
    const bool raised = toOutputPriority();
    device_ = SDL_OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 0, &want, &have, 0);
    if (device_) {
        framesPerFeed_ = have.samples;
        SDL_PauseAudioDevice(device_, 0);
    }
    if (raised) normalPriority();
    if (device_ == 0) {
        why = SDL_GetError();
        if (!name.empty()) why = "'" + name + "': " + why;
        why = "no sound output: " + why;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    open_.store(true);
    opens_.fetch_add(1);
    return true;
}

void SoundDevice::closeOutput() {
    SDL_CloseAudioDevice(device_);  // waits for the output's thread to finish
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    open_.store(false);
}

// ---- the output's thread ----

void SoundDevice::feed(float* out, int frames) {
    const std::int64_t start = nowNs();
    if (lastFeedNs_ == 0) {
        realTime_.store(toOutputPriority());
    } else {
        // SDL holds about one period beyond the one being played: a feed
        // that comes more than two periods after the last one was too late.
        const std::int64_t period = std::int64_t{framesPerFeed_} * 1000000000 / kRate;
        if (start - lastFeedNs_ > 2 * period) lateFeeds_.fetch_add(1);
    }
    lastFeedNs_ = start;

    std::fill(out, out + frames * PlayHead::kChannels, 0.0f);
    bool busy = false;
    const std::size_t room = scratch_.size() / PlayHead::kChannels;
    for (auto& head : heads_) {
        for (int done = 0; done < frames;) {
            int n = std::min(frames - done, static_cast<int>(room));
            head->render(scratch_.data(), static_cast<std::size_t>(n));
            float* to = out + done * PlayHead::kChannels;
            for (int i = 0; i < n * PlayHead::kChannels; ++i) to[i] += scratch_[i];
            done += n;
        }
        busy = busy || head->busy();
    }
    if (heads_.size() > 1)
        for (int i = 0; i < frames * PlayHead::kChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);

    if (busy && !wasBusy_) soundingSinceNs_.store(start);
    wasBusy_ = busy;
    if (busy) {
        silentFrames_ = 0;
        toldIdle_ = false;
    } else if (!toldIdle_ && (silentFrames_ += frames) >= lingerFrames_.load()) {
        toldIdle_ = true;
        tellIdle();
    }
    feeds_.fetch_add(1);
    const std::int64_t took = nowNs() - start;
    if (took > longestFeedNs_.load()) longestFeedNs_.store(took);
}

void SoundDevice::tellIdle() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        idle_ = true;
    }
    wake_.notify_one();
}

}  // namespace tc::sound
