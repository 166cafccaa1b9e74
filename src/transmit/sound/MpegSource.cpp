#include "transmit/sound/MpegSource.h"

#include <mpg123.h>

#include <mutex>

#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

MpegSource::MpegSource(const std::string& path, const MpegStream& stream) : stream_(stream) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    int error = MPG123_OK;
    decoder_ = mpg123_new(nullptr, &error);
    if (!decoder_) throw renderFailure("no MPEG decoder");
    // A tag frame that does not fit the file is decoded as a frame, as it was
    // counted; damaged stretches are skipped however long they are.
    mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET | (stream.tagHonoured ? 0 : MPG123_IGNORE_INFOFRAME), 0);
    mpg123_param(decoder_, MPG123_RESYNC_LIMIT, -1, 0);
    mpg123_format_none(decoder_);
    const int layout = stream.channels == 1 ? MPG123_MONO : MPG123_STEREO;
    if (mpg123_format(decoder_, stream.sampleRate, layout, MPG123_ENC_FLOAT_32) != MPG123_OK ||
        mpg123_open(decoder_, path.c_str()) != MPG123_OK) {
        mpg123_delete(decoder_);
        throw renderFailure("the MPEG decoder refuses the file");
    }
}

MpegSource::~MpegSource() {
    mpg123_close(decoder_);
    mpg123_delete(decoder_);
}

std::size_t MpegSource::read(float* out, std::size_t frames) {
    const std::size_t frameBytes = sizeof(float) * static_cast<std::size_t>(stream_.channels);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < frames * frameBytes) {
        std::size_t got = 0;
        int result = mpg123_read(decoder_, bytes + done, frames * frameBytes - done, &got);
        done += got;
        if (result == MPG123_NEW_FORMAT || (result == MPG123_OK && got > 0)) continue;
        break;  // the end of the stream, or nothing more decodes
    }
    return done / frameBytes;
}

void MpegSource::seek(std::int64_t frame) { mpg123_seek(decoder_, static_cast<off_t>(frame), SEEK_SET); }

}  // namespace tc::sound
