#pragma once
#include <string>

#include "transmit/sound/AudioFile.h"
#include "transmit/sound/AudioSource.h"

struct sf_private_tag;

namespace tc::sound {

// A WAV file's length: from its header where the samples are plain PCM or
// float (a header that promises more than the file holds counts what is
// there), otherwise by decoding it once. Throws the render failure when it
// is no WAV file libsndfile can decode, or holds no sound.
StreamLength wavLength(const std::string& path);

// A WAV file decoded by libsndfile, of the length wavLength gives.
class SndfileSource final : public AudioSource {
public:
    // Throws like wavLength.
    explicit SndfileSource(const std::string& path);
    ~SndfileSource() override;
    SndfileSource(const SndfileSource&) = delete;
    SndfileSource& operator=(const SndfileSource&) = delete;

    int sampleRate() const override { return length_.sampleRate; }
    int channels() const override { return channels_; }
    std::int64_t frames() const override { return length_.frames; }
    std::size_t read(float* out, std::size_t frames) override;
    void seek(std::int64_t frame) override;

private:
    sf_private_tag* file_ = nullptr;
    int channels_ = 0;
    StreamLength length_;
};

}  // namespace tc::sound
