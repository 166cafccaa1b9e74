#include "transmit/sound/MemorySource.h"

#include <algorithm>

namespace tc::sound {

MemorySource::MemorySource(std::vector<float> samples, int sampleRate, int channels)
    : samples_(std::move(samples)),
      sampleRate_(sampleRate),
      channels_(channels),
      frames_(static_cast<std::int64_t>(samples_.size()) / channels) {}

std::size_t MemorySource::read(float* out, std::size_t frames) {
    auto n = std::min<std::int64_t>(static_cast<std::int64_t>(frames), frames_ - next_);
    if (n <= 0) return 0;
    std::copy_n(samples_.begin() + next_ * channels_, n * channels_, out);
    next_ += n;
    return static_cast<std::size_t>(n);
}

void MemorySource::seek(std::int64_t frame) { next_ = std::clamp<std::int64_t>(frame, 0, frames_); }

}  // namespace tc::sound
