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
// Counting a compressed WAV by decoding stops here: far longer than any
// ident the station can send.
constexpr double kLongestCount = 32768;

bool plainSamples(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
        case SF_FORMAT_DOUBLE:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW: return true;
        default: return false;
    }
}

// Opens the file as a WAV and finds its length; the file is left at its start.
SNDFILE* openWav(const std::string& path, int& channels, StreamLength& length) {
    DecoderQuiet quiet;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) throw renderFailure(sf_strerror(nullptr));
    auto refuse = [&](const char* why) {
        sf_close(file);
        return renderFailure(why);
    };
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX && container != SF_FORMAT_RF64)
        throw refuse("not a WAV file");
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < kMinRate ||
        info.samplerate > kMaxRate)
        throw refuse("unsupported channels or sample rate");
    channels = info.channels;
    length = {info.samplerate, 0};
    if (plainSamples(info.format)) {
        length.frames = info.frames;
    } else {
        const auto most = static_cast<sf_count_t>(kLongestCount * info.samplerate);
        std::vector<float> block(static_cast<size_t>(kCountBlock * channels));
        for (sf_count_t n; length.frames <= most && (n = sf_readf_float(file, block.data(), kCountBlock)) > 0;)
            length.frames += n;
        sf_seek(file, 0, SEEK_SET);
    }
    if (length.frames <= 0) throw refuse("no sound in the file");
    return file;
}

}  // namespace

StreamLength wavLength(const std::string& path) {
    int channels = 0;
    StreamLength length;
    SNDFILE* file = openWav(path, channels, length);
    DecoderQuiet quiet;
    sf_close(file);
    return length;
}

SndfileSource::SndfileSource(const std::string& path) { file_ = openWav(path, channels_, length_); }

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
