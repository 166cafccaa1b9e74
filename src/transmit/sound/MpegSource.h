#pragma once
#include <string>

#include "transmit/sound/AudioSource.h"
#include "transmit/sound/MpegFrames.h"

struct mpg123_handle_struct;

namespace tc::sound {

// MP3 and MP2 decoded by libmpg123. The length is the one the frame headers
// give (scanMpeg), never a decoder's estimate, so a stream without a tag
// frame plays to its last frame and pieces joined into one file play whole.
class MpegSource final : public AudioSource {
public:
    // Throws the render failure when the decoder cannot take the stream.
    MpegSource(const std::string& path, const MpegStream& stream);
    ~MpegSource() override;
    MpegSource(const MpegSource&) = delete;
    MpegSource& operator=(const MpegSource&) = delete;

    int sampleRate() const override { return stream_.sampleRate; }
    int channels() const override { return stream_.channels; }
    std::int64_t frames() const override { return stream_.frames; }
    std::size_t read(float* out, std::size_t frames) override;
    void seek(std::int64_t frame) override;

private:
    MpegStream stream_;
    mpg123_handle_struct* decoder_ = nullptr;
};

}  // namespace tc::sound
