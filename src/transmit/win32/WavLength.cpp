#include "transmit/win32/WavLength.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "transmit/sound/PlayerErrors.h"

namespace tc::win32 {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr int kMaxChannels = 64;
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 384000;

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
};

Format readFormat(std::ifstream& in, std::uint32_t size) {
    unsigned char f[40] = {};
    if (size < 16) throw sound::renderFailure("WAV format chunk too short");
    in.read(reinterpret_cast<char*>(f), size < sizeof f ? size : sizeof f);
    if (!in) throw sound::renderFailure("WAV format chunk cut short");
    Format format{le16(f), le16(f + 2), le32(f + 4), le16(f + 12)};
    if (format.tag == kExtensible && size >= 26) format.tag = le16(f + 24);  // the sub-format's first two bytes
    return format;
}

}  // namespace

std::optional<sound::StreamLength> wavLength(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw sound::renderFailure("cannot open the file");
    in.seekg(0, std::ios::end);
    const std::int64_t fileSize = in.tellg();
    in.seekg(0);
    unsigned char riff[12] = {};
    in.read(reinterpret_cast<char*>(riff), sizeof riff);
    if (!in || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return std::nullopt;

    std::optional<Format> format;
    for (;;) {
        unsigned char header[8] = {};
        in.read(reinterpret_cast<char*>(header), sizeof header);
        if (!in) throw sound::renderFailure("WAV file without data");
        const std::uint32_t size = le32(header + 4);
        const std::int64_t body = in.tellg();
        if (std::memcmp(header, "fmt ", 4) == 0) {
            format = readFormat(in, size);
            if (format->tag != kPcm && format->tag != kFloat) return std::nullopt;  // compressed: not ours to count
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!format) throw sound::renderFailure("WAV data before its format");
            if (format->channels < 1 || format->channels > kMaxChannels || format->rate < kMinRate ||
                format->rate > kMaxRate || format->blockAlign == 0)
                throw sound::renderFailure("unsupported channels or sample rate");
            const std::int64_t present = fileSize - body;
            const std::int64_t bytes = size < present ? size : present;
            const std::int64_t frames = bytes / format->blockAlign;
            if (frames <= 0) throw sound::renderFailure("no sound in the file");
            return sound::StreamLength{static_cast<int>(format->rate), frames};
        }
        in.seekg(body + size + (size & 1));  // chunks are padded to an even size
    }
}

}  // namespace tc::win32
