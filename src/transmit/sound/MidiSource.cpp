#include "transmit/sound/MidiSource.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/Synthesizer.h"

namespace tc::sound {

namespace {

// Far beyond any tune; a bigger file would only be held in memory to fail.
constexpr std::uintmax_t kLargestMidiFile = 16u << 20;

// A length that no longer fits the frame count is held at a century.
constexpr double kLongestSeconds = 100.0 * 365 * 24 * 3600;

constexpr int kSilencingFrames = 128;  // two of the synthesizer's blocks

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
    auto frames = static_cast<std::int64_t>(std::llround(seconds * MidiSource::kRate));
    if (frames <= 0) throw renderFailure("no sound in the file");
    return {MidiSource::kRate, frames};
}

MidiSource::MidiSource(std::vector<std::uint8_t> file)
    : file_(std::move(file)), timing_(file_), frames_(midiLength(timing_).frames), synth_(borrowSynthesizer()) {
    startAt(0);
    if (!player_) throw renderFailure("MIDI player failed");
}

MidiSource::~MidiSource() {
    if (player_) delete_fluid_player(player_);
}

std::size_t MidiSource::read(float* out, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        int n = static_cast<int>(std::min<std::size_t>(frames - done, 4096));
        fluid_synth_write_float(synth_.get(), n, out + 2 * done, 0, 2, out + 2 * done, 1, 2);
        done += static_cast<std::size_t>(n);
    }
    return frames;
}

void MidiSource::seek(std::int64_t frame) { startAt(timing_.tickAt(static_cast<double>(frame) / kRate)); }

// A new player from the tick on: the synthesizer is reset and the player
// replays the settings (programs, controllers) that lead up to the tick.
// Runs on the device thread when seeking, so it never throws: a player that
// cannot be made leaves silence.
void MidiSource::startAt(std::int64_t tick) {
    if (player_) delete_fluid_player(player_);
    fluid_synth_all_sounds_off(synth_.get(), -1);
    // The synthesizer silences its voices in the block it renders next; that
    // block is dropped so nothing of the old place sounds at the new one.
    float drop[2 * kSilencingFrames];
    fluid_synth_write_float(synth_.get(), kSilencingFrames, drop, 0, 2, drop, 1, 2);
    player_ = new_fluid_player(synth_.get());
    if (player_ && fluid_player_add_mem(player_, file_.data(), file_.size()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (!player_) return;
    if (tick > 0)
        fluid_player_seek(player_, static_cast<int>(std::min<std::int64_t>(tick, std::numeric_limits<int>::max())));
    fluid_player_play(player_);
}

}  // namespace tc::sound
