#include "transmit/sound/AudioFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "transmit/sound/MidiFile.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/SndfileSource.h"

namespace tc::sound {

namespace {

// The position bar holds whole seconds up to 32767: a longer ident cannot be
// shown and is refused before anything of it is decoded.
constexpr double kLongestSeconds = 32767.5;

// Refuses what no decoder should be handed: a missing path, a folder, a
// pipe (which would block the open) or an empty file.
void requireSoundFile(const std::string& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) throw renderFailure("no such file");
    if (!std::filesystem::is_regular_file(status)) throw renderFailure("not a file");
    if (std::filesystem::file_size(path, ec) == 0 || ec) throw renderFailure("empty file");
}

enum class Head { Wav, Midi, Other };

Head headOf(const std::string& path) {
    char head[12] = {};
    std::ifstream(path, std::ios::binary).read(head, sizeof head);
    if ((std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RF64", 4) == 0) &&
        std::memcmp(head + 8, "WAVE", 4) == 0)
        return Head::Wav;
    if (std::memcmp(head, "MThd", 4) == 0) return Head::Midi;
    return Head::Other;
}

}  // namespace

SoundFile identifySound(const std::string& path) {
    requireSoundFile(path);
    switch (headOf(path)) {
        case Head::Wav: return {SoundFile::Kind::Wav, {}};
        case Head::Midi: return {SoundFile::Kind::Midi, {}};
        case Head::Other: break;
    }
    auto stream = scanMpeg(path, kLongestSeconds);
    if (!stream) throw renderFailure("not a WAV, MP2, MP3 or MIDI file");
    return {SoundFile::Kind::Mpeg, *stream};
}

bool isMidiFile(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return false;
    return headOf(path) == Head::Midi;
}

StreamLength fitsAnIdent(StreamLength length) {
    if (static_cast<double>(length.frames) / length.sampleRate >= kLongestSeconds)
        throw renderFailure("too long for an ident");
    return length;
}

// A MIDI file is measured without the synthesizer, which only the sound
// output needs.
StreamLength measureAudio(const std::string& path) {
    SoundFile file = identifySound(path);
    switch (file.kind) {
        case SoundFile::Kind::Wav: return fitsAnIdent(wavLength(path));
        case SoundFile::Kind::Midi: return fitsAnIdent(midiLength(MidiTiming(readMidiFile(path))));
        case SoundFile::Kind::Mpeg: break;
    }
    return fitsAnIdent({file.mpeg.sampleRate, file.mpeg.frames});
}

}  // namespace tc::sound
