#pragma once
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Little-endian bytes for hand-made WAV files, including broken ones.
struct Bytes {
    std::vector<unsigned char> data;

    Bytes& text(const char* s) {
        while (*s) data.push_back(static_cast<unsigned char>(*s++));
        return *this;
    }
    Bytes& u16(std::uint32_t v) {
        data.push_back(static_cast<unsigned char>(v & 0xff));
        data.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
        return *this;
    }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xffff).u16(v >> 16); }
    Bytes& zeros(std::size_t n) {
        data.insert(data.end(), n, 0);
        return *this;
    }
    void save(const std::string& path) const {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                    static_cast<std::streamsize>(data.size()));
    }
};

// The 16-byte format body of a WAV file.
inline Bytes& fmtBody(Bytes& b, std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    return b.u16(tag).u16(channels).u32(rate).u32(rate * align).u16(align).u16(bits);
}

// A playable 16-bit mono PCM file of a 440 Hz tone, frames long.
inline void writeToneWav(const std::string& path, std::uint32_t rate, std::uint32_t frames) {
    Bytes b;
    b.text("RIFF").u32(36 + frames * 2).text("WAVE").text("fmt ").u32(16);
    fmtBody(b, 1, 1, rate, 16);
    b.text("data").u32(frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i)
        b.u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / rate))));
    b.save(path);
}
