#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tc::sound {

// An MPEG audio stream (layer I, II or III, MPEG 1, 2 or 2.5) as its frame
// headers describe it, found without decoding a single frame.
struct MpegStream {
    int sampleRate = 0;
    int channels = 0;
    // Samples per channel that a decoder delivers: every whole frame's, or,
    // when the encoder's tag frame fits the file, the tag's count less the
    // encoder delay and padding it records (gapless).
    std::int64_t frames = 0;
    // The tag frame fits the file and is to be honoured by the decoder;
    // otherwise it is decoded as a frame like any other.
    bool tagHonoured = false;
};

// Walks the file's frame headers: an ID3v2 tag in front, junk between
// frames and tags at the end are passed over, a frame cut short by the end
// of the file does not count. A tag frame (Xing/Info, with LAME's delay and
// padding) is believed only when the frames it counts are the frames that
// follow it; pieces each with its own tag, joined into one file, count by
// their frames. nullopt when the file holds no MPEG audio stream.
// Stops counting once the stream is longer than maxSeconds.
std::optional<MpegStream> scanMpeg(const std::string& path, double maxSeconds);

}  // namespace tc::sound
