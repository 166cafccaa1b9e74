#pragma once
#include <vector>

#include "transmit/sound/AudioSource.h"

namespace tc::sound {

// Sound made by the program itself (the keyed tone of Morse), held whole:
// it lasts seconds, not hours.
class MemorySource : public AudioSource {
public:
    MemorySource(std::vector<float> samples, int sampleRate, int channels);

    int sampleRate() const override { return sampleRate_; }
    int channels() const override { return channels_; }
    std::int64_t frames() const override { return frames_; }
    std::size_t read(float* out, std::size_t frames) override;
    void seek(std::int64_t frame) override;

private:
    std::vector<float> samples_;
    int sampleRate_;
    int channels_;
    std::int64_t frames_;
    std::int64_t next_ = 0;
};

}  // namespace tc::sound
