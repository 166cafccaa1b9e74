#include "transmit/sound/MidiFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

// Far beyond any tune; a bigger file would only be held in memory to fail.
constexpr std::uintmax_t kLargestMidiFile = 16u << 20;

// A length that no longer fits the frame count is held at a century.
constexpr double kLongestSeconds = 100.0 * 365 * 24 * 3600;

}  // namespace

std::vector<std::uint8_t> readMidiFile(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (ec) throw renderFailure("unreadable file");
    if (size > kLargestMidiFile) throw renderFailure("MIDI file too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw renderFailure("unreadable file");
    return inQuarterNotes(std::move(bytes));
}

StreamLength midiLength(const MidiTiming& timing) {
    double seconds = std::min(timing.lengthSeconds(), kLongestSeconds);
    auto frames = static_cast<std::int64_t>(std::llround(seconds * kMidiRate));
    if (frames <= 0) throw renderFailure("no sound in the file");
    return {kMidiRate, frames};
}

}  // namespace tc::sound
