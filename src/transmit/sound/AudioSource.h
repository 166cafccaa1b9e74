#pragma once
#include <cstddef>
#include <cstdint>

namespace tc::sound {

// A decoded stream read block by block, so that no file is ever held whole
// in memory. frames() is the length that really decodes, counted when the
// source was opened; read() may deliver more or fewer frames than that when
// a damaged file decodes differently the second time, and the player plays
// exactly frames() either way.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    virtual std::int64_t frames() const = 0;
    // Interleaved samples of channels() channels, nominally within -1..1.
    // Returns the frames delivered; 0 at the end of the stream.
    virtual std::size_t read(float* out, std::size_t frames) = 0;
    virtual void seek(std::int64_t frame) = 0;
};

}  // namespace tc::sound
