#include "transmit/sound/PlayHead.h"

#include <algorithm>
#include <cmath>

namespace tc::sound {

namespace {

constexpr std::int64_t kBlock = 1024;  // frames read from the stream at a time

float clip(float x) { return std::clamp(x, -1.0f, 1.0f); }

}  // namespace

PlayHead::PlayHead(std::unique_ptr<AudioSource> source, int rampFrames, int outputRate)
    : source_(std::move(source)),
      total_(source_->frames()),
      sourceChannels_(source_->channels()),
      step_(outputRate > 0 ? static_cast<double>(source_->sampleRate()) / outputRate : 1.0),
      rampStep_(1.0f / static_cast<float>(std::max(1, rampFrames))),
      window_(static_cast<std::size_t>((kBlock + 1) * kChannels)),
      raw_(static_cast<std::size_t>(kBlock * sourceChannels_)) {}

void PlayHead::seek(std::int64_t frame) {
    myTarget_ = frame;
    seekTarget_.store(frame);
    seeksAsked_.store(++mySeeks_, std::memory_order_release);
}

bool PlayHead::wantsOutput() const {
    return playing_.load() && (!atEnd_.load() || seeksAsked_.load() != seeksDone_.load());
}

void PlayHead::abandon() noexcept {
    seekPending_ = false;
    seeksSeen_ = seeksAsked_.load();
    frame_ = total_;
    phase_ = 0.0;
    envelope_ = 0.0f;
    ended_ = true;
    endings_.fetch_add(1);
    position_.store(total_);
    seeksDone_.store(seeksSeen_, std::memory_order_release);
    atEnd_.store(true);
}

std::int64_t PlayHead::position() const {
    if (seeksDone_.load(std::memory_order_acquire) != mySeeks_) return myTarget_;
    return position_.load();
}

void PlayHead::render(float* out, std::size_t frames) noexcept {
    std::uint64_t asked = seeksAsked_.load(std::memory_order_acquire);
    if (asked != seeksSeen_) {
        seeksSeen_ = asked;
        pendingTarget_ = seekTarget_.load();
        seekPending_ = true;
    }
    const bool playing = playing_.load();
    const float gain = gain_.load();
    const double rate = rate_.load() * step_;
    if (envelope_ == 0.0f) gainNow_ = gain;  // nothing is heard: no need to glide

    for (std::size_t i = 0; i < frames; ++i) {
        if (seekPending_ && envelope_ == 0.0f) {
            jumpTo(pendingTarget_);
            seekPending_ = false;
            ended_ = false;
            atEnd_.store(false);
            position_.store(frame_);
            seeksDone_.store(seeksSeen_, std::memory_order_release);
        }
        const bool audible = playing && !seekPending_ && frame_ < total_;
        envelope_ = audible ? std::min(1.0f, envelope_ + rampStep_) : std::max(0.0f, envelope_ - rampStep_);
        float left = 0.0f, right = 0.0f;
        bool moved = false;
        if (frame_ < total_ && (audible || envelope_ > 0.0f)) {
            // The last few milliseconds of the stream fade out as well, so a
            // file that stops short of silence does not click at its end.
            double remaining = static_cast<double>(total_ - frame_) - phase_;
            float scale = envelope_ * gainNow_ * std::min(1.0f, static_cast<float>(remaining) * rampStep_);
            float a0 = frameSample(frame_, 0), a1 = frameSample(frame_, 1);
            float b0 = frameSample(frame_ + 1, 0), b1 = frameSample(frame_ + 1, 1);
            float t = static_cast<float>(phase_);
            left = (a0 + (b0 - a0) * t) * scale;
            right = (a1 + (b1 - a1) * t) * scale;
            phase_ += rate;
            auto whole = static_cast<std::int64_t>(phase_);
            phase_ -= static_cast<double>(whole);
            frame_ += whole;
            if (frame_ >= total_) {
                frame_ = total_;
                phase_ = 0.0;
            }
            moved = true;
        }
        gainNow_ += (gain - gainNow_) * rampStep_;
        if (std::abs(gain - gainNow_) < 1e-6f) gainNow_ = gain;  // the glide would creep on for ever
        out[2 * i] = clip(left);
        out[2 * i + 1] = clip(right);
        if (frame_ == total_ && !ended_ && !seekPending_ && (playing || moved)) {
            ended_ = true;
            endings_.fetch_add(1);  // before the position: whoever reads the end sees the ending too
            position_.store(frame_);
            atEnd_.store(true);
        }
    }
    if (!seekPending_) position_.store(frame_);
}

float PlayHead::frameSample(std::int64_t frame, int channel) {
    fill(frame);
    return window_[static_cast<std::size_t>((frame - windowStart_) * kChannels + channel)];
}

// Brings the frame into the window, reading the stream on. The window keeps
// its last frame when it moves on, since interpolation looks one frame back.
// Beyond what the stream delivers it is silence.
void PlayHead::fill(std::int64_t frame) {
    while (frame >= windowStart_ + windowFrames_) {
        if (windowFrames_ > 0) {
            std::copy_n(&window_[static_cast<std::size_t>((windowFrames_ - 1) * kChannels)], kChannels,
                        window_.begin());
            windowStart_ += windowFrames_ - 1;
            windowFrames_ = 1;
        }
        std::size_t got = sourceDry_ ? 0 : source_->read(raw_.data(), static_cast<std::size_t>(kBlock));
        if (got == 0) sourceDry_ = true;
        float* to = &window_[static_cast<std::size_t>(windowFrames_ * kChannels)];
        for (std::size_t f = 0; f < static_cast<std::size_t>(kBlock); ++f) {
            float left = 0.0f, right = 0.0f;
            if (f < got) {
                const float* from = &raw_[f * static_cast<std::size_t>(sourceChannels_)];
                if (sourceChannels_ == 1) {
                    left = right = from[0];
                } else {
                    // Even channels to the left, odd to the right: nothing of a
                    // surround file is lost.
                    for (int c = 0; c < sourceChannels_; ++c) (c % 2 ? right : left) += from[c];
                    left /= static_cast<float>((sourceChannels_ + 1) / 2);
                    right /= static_cast<float>(sourceChannels_ / 2);
                }
            }
            to[2 * f] = left;
            to[2 * f + 1] = right;
        }
        windowFrames_ += kBlock;
    }
}

void PlayHead::jumpTo(std::int64_t frame) {
    source_->seek(frame);
    windowStart_ = frame;
    windowFrames_ = 0;
    sourceDry_ = false;
    frame_ = frame;
    phase_ = 0.0;
}

}  // namespace tc::sound
