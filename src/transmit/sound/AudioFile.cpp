#include "transmit/sound/AudioFile.h"

#include <filesystem>

#include "transmit/sound/MidiSource.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/SndfileSource.h"

namespace tc::sound {

namespace {

// Refuses what no decoder should be handed: a missing path, a folder, a
// pipe (which would block the open) or an empty file.
void requireSoundFile(const std::string& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) throw renderFailure("no such file");
    if (!std::filesystem::is_regular_file(status)) throw renderFailure("not a file");
    if (std::filesystem::file_size(path, ec) == 0 || ec) throw renderFailure("empty file");
}

}  // namespace

// A MIDI file is measured without the synthesizer, which only the sound
// device needs.
StreamLength measureAudio(const std::string& path) {
    requireSoundFile(path);
    if (isMidiFile(path)) return midiLength(MidiTiming(readMidiFile(path)));
    SndfileSource source(path);
    return {source.sampleRate(), source.frames()};
}

std::unique_ptr<AudioSource> openAudio(const std::string& path) {
    requireSoundFile(path);
    if (isMidiFile(path)) return std::make_unique<MidiSource>(readMidiFile(path));
    return std::make_unique<SndfileSource>(path);
}

}  // namespace tc::sound
