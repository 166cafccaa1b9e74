#include "transmit/sound/MpegFrames.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace tc::sound {

namespace {

// Junk that may stand in front of the first frame (after an ID3v2 tag)
// before a file counts as no MPEG audio at all.
constexpr std::int64_t kFirstFrameSearch = 64 * 1024;
// A frame counts as the start of a stream when this many headers follow it
// in step (or the file ends first): random bytes rarely pass.
constexpr int kConfirmingFrames = 3;

struct Header {
    int version = 0;  // 10 for MPEG 1, 20 for MPEG 2, 25 for MPEG 2.5
    int layer = 0;
    int sampleRate = 0;
    int channels = 0;
    bool crc = false;
    int bytes = 0;    // the whole frame, header included
    int samples = 0;  // per channel

    bool sameStream(const Header& o) const {
        return version == o.version && layer == o.layer && sampleRate == o.sampleRate;
    }
};

// Bit rates in kbit/s by [MPEG 1 or not][layer - 1][index].
constexpr int kBitrates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

constexpr int kRates[3] = {44100, 48000, 32000};

// A frame header, or nothing for bytes that are none. Free-format frames
// (no bit rate given) are not taken: their length cannot be read off.
std::optional<Header> parseHeader(const std::uint8_t* p) {
    if (p[0] != 0xff || (p[1] & 0xe0) != 0xe0) return std::nullopt;
    int versionBits = (p[1] >> 3) & 3, layerBits = (p[1] >> 1) & 3;
    int rateIndex = (p[2] >> 4) & 15, freqIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || rateIndex == 0 || rateIndex == 15 || freqIndex == 3)
        return std::nullopt;
    Header h;
    h.version = versionBits == 3 ? 10 : versionBits == 2 ? 20 : 25;
    h.layer = 4 - layerBits;
    h.crc = (p[1] & 1) == 0;
    h.sampleRate = kRates[freqIndex] / (h.version == 10 ? 1 : h.version == 20 ? 2 : 4);
    h.channels = ((p[3] >> 6) & 3) == 3 ? 1 : 2;
    const bool mpeg1 = h.version == 10;
    const long bitrate = kBitrates[mpeg1 ? 0 : 1][h.layer - 1][rateIndex] * 1000L;
    const int padding = (p[2] >> 1) & 1;
    if (h.layer == 1) {
        h.samples = 384;
        h.bytes = static_cast<int>((12 * bitrate / h.sampleRate + padding) * 4);
    } else {
        h.samples = h.layer == 3 && !mpeg1 ? 576 : 1152;
        h.bytes = static_cast<int>(h.samples / 8 * bitrate / h.sampleRate + padding);
    }
    return h;
}

// The file read forward in large slices, with a look at any few bytes.
class FileBytes {
public:
    explicit FileBytes(const std::string& path) : file_(std::fopen(path.c_str(), "rb")), slice_(1 << 20) {
        if (file_ && std::fseek(file_, 0, SEEK_END) == 0) size_ = ftello(file_);
    }
    ~FileBytes() {
        if (file_) std::fclose(file_);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool ok() const { return file_ && size_ > 0; }
    std::int64_t size() const { return size_; }

    // n bytes at pos (n at most a slice), or nullptr where the file ends first.
    const std::uint8_t* at(std::int64_t pos, std::size_t n) {
        if (pos < 0 || pos + static_cast<std::int64_t>(n) > size_) return nullptr;
        if (pos < start_ || pos + static_cast<std::int64_t>(n) > start_ + static_cast<std::int64_t>(length_)) {
            if (fseeko(file_, pos, SEEK_SET) != 0) return nullptr;
            start_ = pos;
            length_ = std::fread(slice_.data(), 1, slice_.size(), file_);
            if (length_ < n) return nullptr;
        }
        return &slice_[static_cast<std::size_t>(pos - start_)];
    }

    bool startsWith(std::int64_t pos, const char* text) {
        std::size_t n = std::strlen(text);
        const std::uint8_t* p = at(pos, n);
        return p && std::memcmp(p, text, n) == 0;
    }

private:
    std::FILE* file_;
    std::vector<std::uint8_t> slice_;
    std::int64_t size_ = 0;
    std::int64_t start_ = 0;
    std::size_t length_ = 0;
};

std::uint32_t bigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// The length of a tag that stands at pos (ID3v2, ID3v1, APE), or 0.
std::int64_t tagLength(FileBytes& f, std::int64_t pos) {
    if (f.startsWith(pos, "ID3")) {
        const std::uint8_t* p = f.at(pos, 10);
        if (!p) return 0;
        std::int64_t body = (p[6] & 0x7f) << 21 | (p[7] & 0x7f) << 14 | (p[8] & 0x7f) << 7 | (p[9] & 0x7f);
        return 10 + body + ((p[5] & 0x10) ? 10 : 0);
    }
    if (f.startsWith(pos, "APETAGEX")) {
        const std::uint8_t* p = f.at(pos, 32);
        if (!p) return 0;
        std::int64_t body = p[12] | p[13] << 8 | p[14] << 16 | std::int64_t(p[15]) << 24;
        return 32 + body;
    }
    if (f.startsWith(pos, "TAG")) return 128;
    return 0;
}

std::optional<Header> frameAt(FileBytes& f, std::int64_t pos) {
    const std::uint8_t* p = f.at(pos, 4);
    return p ? parseHeader(p) : std::nullopt;
}

// A frame at pos that is followed by frames of the same stream (or by the
// end of the file, or a tag).
bool startsStream(FileBytes& f, std::int64_t pos, const Header& h) {
    std::int64_t next = pos + h.bytes;
    for (int i = 0; i < kConfirmingFrames; ++i) {
        if (next + 4 > f.size() || tagLength(f, next) > 0) return true;
        auto n = frameAt(f, next);
        if (!n || !n->sameStream(h)) return false;
        next += n->bytes;
    }
    return true;
}

// The next stream frame at or after pos, searching no further than limit.
std::optional<std::int64_t> findFrame(FileBytes& f, std::int64_t pos, std::int64_t limit, const Header* like) {
    for (; pos + 4 <= f.size() && pos < limit; ++pos) {
        const std::uint8_t* p = f.at(pos, 4);
        if (!p || p[0] != 0xff) continue;
        auto h = parseHeader(p);
        if (h && (!like || h->sameStream(*like)) && startsStream(f, pos, *h)) return pos;
    }
    return std::nullopt;
}

// What an encoder's tag frame (Xing or Info, first frame of a layer III
// stream) says of the stream.
struct EncoderTag {
    std::optional<std::uint32_t> frames;  // audio frames after the tag frame
    std::optional<std::uint32_t> bytes;   // the stream's bytes, the tag frame included
    int delay = 0;                        // encoder delay and padding, in samples
    int padding = 0;
};

std::optional<EncoderTag> readEncoderTag(FileBytes& f, std::int64_t pos, const Header& h) {
    if (h.layer != 3) return std::nullopt;
    int sideInfo = h.version == 10 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    std::int64_t at = pos + 4 + sideInfo + (h.crc ? 2 : 0);
    if (at + 8 > pos + h.bytes) return std::nullopt;
    if (!f.startsWith(at, "Xing") && !f.startsWith(at, "Info")) return std::nullopt;
    const std::uint8_t* body = f.at(at, static_cast<std::size_t>(pos + h.bytes - at));
    if (!body) return std::nullopt;
    const std::int64_t room = pos + h.bytes - at;
    std::uint32_t flags = bigEndian(body + 4);
    std::int64_t field = 8;
    EncoderTag tag;
    auto take = [&](std::uint32_t flag, int length, std::optional<std::uint32_t>* into) {
        if (!(flags & flag)) return;
        if (into && field + 4 <= room) *into = bigEndian(body + field);
        field += length;
    };
    take(1, 4, &tag.frames);
    take(2, 4, &tag.bytes);
    take(4, 100, nullptr);
    take(8, 4, nullptr);
    // LAME's extension: nine bytes of encoder name, then delay and padding
    // as two 12-bit numbers 21 bytes in.
    if (field + 24 <= room && f.startsWith(at + field, "LAME")) {
        const std::uint8_t* d = body + field + 21;
        tag.delay = d[0] << 4 | d[1] >> 4;
        tag.padding = (d[1] & 0x0f) << 8 | d[2];
    }
    return tag;
}

}  // namespace

std::optional<MpegStream> scanMpeg(const std::string& path, double maxSeconds) {
    FileBytes f(path);
    if (!f.ok()) return std::nullopt;
    std::int64_t begin = f.startsWith(0, "ID3") ? tagLength(f, 0) : 0;
    auto first = findFrame(f, begin, begin + kFirstFrameSearch, nullptr);
    if (!first) return std::nullopt;
    const Header stream = *frameAt(f, *first);
    const auto tag = readEncoderTag(f, *first, stream);

    std::int64_t frameCount = 0, samples = 0, end = *first;
    const auto maxSamples = static_cast<std::int64_t>(maxSeconds * stream.sampleRate);
    for (std::int64_t pos = *first; pos + 4 <= f.size() && samples <= maxSamples;) {
        auto h = frameAt(f, pos);
        if (h && h->sameStream(stream)) {
            if (pos + h->bytes > f.size()) break;  // cut short by the end of the file
            ++frameCount;
            samples += h->samples;
            pos = end = pos + h->bytes;
            continue;
        }
        if (std::int64_t skip = tagLength(f, pos)) {
            pos += skip;
            continue;
        }
        auto next = findFrame(f, pos + 1, f.size(), &stream);
        if (!next) break;
        pos = *next;
    }

    MpegStream out{stream.sampleRate, stream.channels, samples, false};
    if (tag && tag->frames && *tag->frames + 1 == static_cast<std::uint64_t>(frameCount) &&
        (!tag->bytes || *tag->bytes == static_cast<std::uint64_t>(end - *first))) {
        out.tagHonoured = true;
        out.frames = static_cast<std::int64_t>(*tag->frames) * stream.samples - tag->delay - tag->padding;
    }
    if (out.frames <= 0) return std::nullopt;
    return out;
}

}  // namespace tc::sound
