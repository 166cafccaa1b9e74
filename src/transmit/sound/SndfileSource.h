#pragma once
#include <string>

#include "transmit/sound/AudioSource.h"

struct sf_private_tag;

namespace tc::sound {

// WAV, MP2, MP3 and whatever else libsndfile recognises by the file's
// content. Opening decodes the whole stream once to count its frames, since
// the headers of MPEG files without an encoder tag, and of damaged files,
// do not give the true length; then it rewinds.
class SndfileSource final : public AudioSource {
public:
    // Throws the render failure when the file does not decode or holds no sound.
    explicit SndfileSource(const std::string& path);
    ~SndfileSource() override;
    SndfileSource(const SndfileSource&) = delete;
    SndfileSource& operator=(const SndfileSource&) = delete;

    int sampleRate() const override { return sampleRate_; }
    int channels() const override { return channels_; }
    std::int64_t frames() const override { return frames_; }
    std::size_t read(float* out, std::size_t frames) override;
    void seek(std::int64_t frame) override;

private:
    sf_private_tag* file_ = nullptr;
    int sampleRate_ = 0;
    int channels_ = 0;
    std::int64_t frames_ = 0;
};

}  // namespace tc::sound
