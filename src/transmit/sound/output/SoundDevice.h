#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "transmit/sound/PlayHead.h"

namespace tc::sound {

// The output that every stream opens from now on, by the name SDL gives
// it (the sound card wired to the radio); "" is the system's default.
void useOutputDevice(std::string name);
// The names of the outputs SDL finds; throws the render failure when there
// is no sound system at all.
std::vector<std::string> outputDeviceNames();

// The program's one sound output. Every play head that sounds is mixed into
// it at one rate. The logic thread only hands heads over and says when one
// should sound; the device's own keeper thread opens the output when
// something is to be heard and closes it again once all has been silent for
// a moment, so the logic never waits for the sound system and an idle
// station keeps no sound device awake.
//
// When the output cannot be opened, the heads that wanted it end at once
// (their position goes to the end, as though they had played), so that a
// transmission never waits on a sound that cannot come; from then on, until
// an output opens again, new streams are refused as not renderable.
class SoundDevice {
public:
    static constexpr int kRate = 48000;
    static constexpr int kPeriodFrames = 1024;  // ~21 ms: holds on a busy machine
    static constexpr int kLingerMs = 250;       // silence before the output closes

    // The program's device; made, with its keeper thread, at the first call.
    static SoundDevice& shared();

    // Logic thread; none of these waits for the sound system.
    // Throws the render failure when the last try to open the output failed
    // (and has the keeper try again, for the next stream).
    void check();
    void add(std::shared_ptr<PlayHead> head);
    // The head is let go of on the keeper's thread, never mid-render.
    void remove(std::shared_ptr<PlayHead> head);
    // A head was asked to run or to seek: the output opens if it is closed.
    void wake();

    // What the device has done, for the benchmarks and the tests.
    struct Figures {
        std::uint64_t opens = 0;
        std::uint64_t feeds = 0;
        std::uint64_t lateFeeds = 0;  // the output's buffer may have run dry
        double longestFeedMs = 0;     // time spent rendering one period
        std::int64_t soundingSinceNs = 0;  // steady clock: the last start of sound after silence
        bool realTime = false;             // the output's thread runs on real-time scheduling
    };
    Figures figures() const;
    bool isOpen() const { return open_.load(); }
    void setLingerMs(int ms) { lingerFrames_.store(ms * (kRate / 1000)); }

    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

private:
    SoundDevice();
    struct Change {
        std::shared_ptr<PlayHead> head;
        bool add;
    };

    void serve();                        // the keeper thread
    bool openOutput(std::string& why);   // keeper
    void closeOutput();                  // keeper
    void feed(float* out, int frames);   // the output's thread
    void tellIdle();                     // the output's thread

    // Shared under mutex_ between the logic, the keeper and the output's thread.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Change> changes_;
    bool woken_ = false;
    bool idle_ = false;
    bool retry_ = false;
    std::string failure_;  // why the output did not open the last time

    // Keeper's, and the output's thread's while the output is open.
    std::vector<std::shared_ptr<PlayHead>> heads_;
    std::uint32_t device_ = 0;
    std::vector<float> scratch_;

    // The output's thread.
    std::int64_t silentFrames_ = 0;
    bool toldIdle_ = false;
    bool wasBusy_ = false;
    std::int64_t lastFeedNs_ = 0;
    int framesPerFeed_ = kPeriodFrames;

    std::atomic<bool> open_{false};
    std::atomic<bool> failed_{false};
    std::atomic<std::int64_t> lingerFrames_{kLingerMs * (kRate / 1000)};
    std::atomic<std::uint64_t> opens_{0}, feeds_{0}, lateFeeds_{0};
    std::atomic<std::int64_t> longestFeedNs_{0};
    std::atomic<std::int64_t> soundingSinceNs_{0};
    std::atomic<bool> realTime_{false};
    std::thread keeper_;
};

}  // namespace tc::sound
