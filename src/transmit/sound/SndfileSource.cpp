#include "transmit/sound/SndfileSource.h"

#include <sndfile.h>

#include <vector>

#include "transmit/sound/DecoderQuiet.h"
#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

// Beyond these no output device plays the stream, and the counting block
// below stays small.
constexpr int kMaxChannels = 64;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr sf_count_t kCountBlock = 4096;

}  // namespace

SndfileSource::SndfileSource(const std::string& path) {
    DecoderQuiet quiet;
    SF_INFO info{};
    file_ = sf_open(path.c_str(), SFM_READ, &info);
    if (!file_) throw renderFailure(sf_strerror(nullptr));
    sampleRate_ = info.samplerate;
    channels_ = info.channels;
    if (channels_ < 1 || channels_ > kMaxChannels || sampleRate_ < kMinRate || sampleRate_ > kMaxRate) {
        sf_close(file_);
        throw renderFailure("unsupported channels or sample rate");
    }
    std::vector<float> block(static_cast<size_t>(kCountBlock * channels_));
    for (sf_count_t n; (n = sf_readf_float(file_, block.data(), kCountBlock)) > 0;) frames_ += n;
    if (frames_ == 0) {
        sf_close(file_);
        throw renderFailure("no sound in the file");
    }
    sf_seek(file_, 0, SEEK_SET);
}

SndfileSource::~SndfileSource() {
    DecoderQuiet quiet;
    sf_close(file_);
}

std::size_t SndfileSource::read(float* out, std::size_t frames) {
    DecoderQuiet quiet;
    sf_count_t n = sf_readf_float(file_, out, static_cast<sf_count_t>(frames));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void SndfileSource::seek(std::int64_t frame) {
    DecoderQuiet quiet;
    sf_seek(file_, static_cast<sf_count_t>(frame), SEEK_SET);
}

}  // namespace tc::sound
