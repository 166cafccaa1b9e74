#include "sound/SoundFiles.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace soundfiles {

namespace {

// The file's path, after running the command with the path in place of @.
std::string made(const std::string& name, std::string command = "") {
    static TempDir scratch;
    std::string out = scratch.file(name);
    if (command.empty()) return out;
    command.replace(command.find('@'), 1, "'" + out + "'");
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) throw std::runtime_error("failed: " + command);
    return out;
}

Bytes chunk(const char* tag, const Bytes& body) {
    Bytes b(tag, tag + 4);
    for (int shift : {24, 16, 8, 0}) b.push_back(std::uint8_t(body.size() >> shift));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes delta(std::uint32_t ticks) {
    return ticks < 128 ? Bytes{std::uint8_t(ticks)}
                       : Bytes{std::uint8_t(0x80 | ticks >> 7), std::uint8_t(ticks & 0x7f)};
}

}  // namespace

std::string path(const std::string& name) { return made(name); }

std::string tone(const std::string& name, double seconds, int rate, int channels) {
    return made(name, "sox -n -r " + std::to_string(rate) + " -c " + std::to_string(channels) +
                          " -b 16 -t wav @ synth " + std::to_string(seconds) + " sine 440 vol 0.5");
}

std::string lame(const std::string& name, double seconds, int rate, int channels, const std::string& options) {
    std::string wav = tone(name + ".wav", seconds, rate, channels);
    return made(name, "lame --quiet " + options + " '" + wav + "' @");
}

std::string vorbis(const std::string& name, double seconds) {
    return made(name, "sox -n -r 44100 -c 1 -t ogg @ synth " + std::to_string(seconds) + " sine 440 vol 0.5");
}

std::string joined(const std::string& name, const std::vector<std::string>& parts) {
    std::string out = path(name);
    std::ofstream all(out, std::ios::binary);
    for (const auto& part : parts) all << std::ifstream(part, std::ios::binary).rdbuf();
    return out;
}

std::string mp2(const std::string& name, double seconds) {
    return made(name, "twolame --quiet '" + tone(name + ".wav", seconds, 44100) + "' @");
}

std::string bytes(const std::string& name, const Bytes& content) {
    std::string out = path(name);
    std::ofstream(out, std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    return out;
}

std::string truncated(const std::string& from, const std::string& name, std::uintmax_t keep) {
    std::string out = path(name);
    fs::copy_file(from, out, fs::copy_options::overwrite_existing);
    fs::resize_file(out, keep);
    return out;
}

float peak(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float p = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) p = std::max(p, std::abs(samples[i]));
    return p;
}

Bytes midi(int format, int division, const std::vector<Bytes>& tracks) {
    Bytes b = chunk("MThd", {0, std::uint8_t(format), 0, std::uint8_t(tracks.size()), std::uint8_t(division >> 8),
                             std::uint8_t(division)});
    for (const Bytes& t : tracks) {
        Bytes c = chunk("MTrk", t);
        b.insert(b.end(), c.begin(), c.end());
    }
    return b;
}

Bytes note(std::uint32_t onTick, std::uint32_t offTick) {
    Bytes b = delta(onTick), off = delta(offTick - onTick);
    b.insert(b.end(), {0x90, 69, 110});
    b.insert(b.end(), off.begin(), off.end());
    b.insert(b.end(), {0x80, 69, 0, 0x00, 0xff, 0x2f, 0x00});
    return b;
}

}  // namespace soundfiles
