#pragma once
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
    // Writes the bytes as the file at path; returns the path.
    std::string save(const std::string& path) const {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                    static_cast<std::streamsize>(data.size()));
        return path;
    }
};

// The 16-byte format body of a WAV file.
inline Bytes& fmtBody(Bytes& b, std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    return b.u16(tag).u16(channels).u32(rate).u32(rate * align).u16(align).u16(bits);
}

// A WAV file's bytes with the given format body and data size; "present"
// bytes of silence really follow (fewer than declared for a truncated file).
inline Bytes wavBytes(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                      std::uint32_t declared, std::uint32_t present) {
    Bytes b;
    b.text("RIFF").u32(36 + declared).text("WAVE").text("fmt ").u32(16);
    fmtBody(b, tag, channels, rate, bits);
    b.text("data").u32(declared).zeros(present);
    return b;
}
