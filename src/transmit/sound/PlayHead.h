#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "transmit/sound/AudioSource.h"

namespace tc::sound {

// The play cursor shared by the logic thread, which asks for run, stop,
// seek, gain and rate, and the sound device's thread, which renders. They
// share only atomics: the logic never waits for the device.
//
// Speed is our own linear interpolation over the stream, so the cursor is
// counted in frames of the stream and lands on its length exactly at the
// end, where it stays until a seek. Starts, stops, seeks and volume changes
// ramp over a few milliseconds so that nothing clicks; a seek fades out,
// jumps, and fades in. The position reads as the seek target from the moment
// of the seek.
//
// The output may run at another rate than the stream (the sound device
// mixes every stream at its own rate): the same interpolation converts.
class PlayHead {
public:
    static constexpr int kChannels = 2;

    // rampFrames counts frames of the output; an outputRate of 0 is the
    // stream's own rate.
    PlayHead(std::unique_ptr<AudioSource> source, int rampFrames, int outputRate = 0);

    // Logic thread.
    void run() { playing_.store(true); }
    void stop() { playing_.store(false); }
    void seek(std::int64_t frame);
    void setGain(double gain) { gain_.store(static_cast<float>(gain)); }
    void setRate(double rate) { rate_.store(rate); }
    std::int64_t position() const;
    // How many times playback has reached the end of the stream.
    std::uint64_t endings() const { return endings_.load(); }

    // Any thread: whether the head has something to play: it runs short of
    // the end, or a seek is still to be made while it runs.
    bool wantsOutput() const;

    // Device thread: the next frames of stereo output, interleaved.
    void render(float* out, std::size_t frames) noexcept;
    // Device thread: whether the last frames rendered moved or faded, or a
    // seek waits; false once the head has fallen silent.
    bool busy() const noexcept { return wantsOutput() || envelope_ > 0.0f; }
    // With no device thread rendering: playback ends here and now, at the
    // end of the stream, as when there is no output to play it on.
    void abandon() noexcept;

private:
    float frameSample(std::int64_t frame, int channel);
    void fill(std::int64_t frame);
    void jumpTo(std::int64_t frame);

    // Shared.
    std::atomic<bool> playing_{false};
    std::atomic<float> gain_{1.0f};
    std::atomic<double> rate_{1.0};
    std::atomic<std::int64_t> seekTarget_{0};
    std::atomic<std::uint64_t> seeksAsked_{0};
    std::atomic<std::uint64_t> seeksDone_{0};
    std::atomic<std::int64_t> position_{0};
    std::atomic<std::uint64_t> endings_{0};
    std::atomic<bool> atEnd_{false};

    // Logic thread only.
    std::uint64_t mySeeks_ = 0;
    std::int64_t myTarget_ = 0;

    // Device thread only.
    std::unique_ptr<AudioSource> source_;
    const std::int64_t total_;
    const int sourceChannels_;
    const double step_;  // stream frames per output frame at normal speed
    const float rampStep_;
    std::int64_t frame_ = 0;  // the cursor: frame_ + phase_
    double phase_ = 0.0;
    float envelope_ = 0.0f;
    float gainNow_ = 1.0f;
    bool ended_ = false;
    std::uint64_t seeksSeen_ = 0;
    bool seekPending_ = false;
    std::int64_t pendingTarget_ = 0;
    std::vector<float> window_;  // stereo frames from windowStart_ on
    std::int64_t windowStart_ = 0;
    std::int64_t windowFrames_ = 0;
    bool sourceDry_ = false;
    std::vector<float> raw_;
};

}  // namespace tc::sound
