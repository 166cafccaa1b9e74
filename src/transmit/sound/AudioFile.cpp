#include "transmit/sound/AudioFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "transmit/sound/MidiSource.h"
#include "transmit/sound/MpegSource.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/SndfileSource.h"
#include "transmit/sound/Synthesizer.h"

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

enum class Kind { Wav, Midi, Other };

// Idents are WAV, MP2, MP3 and MIDI, told apart by their first bytes; what
// is none of them is refused, whatever its name.
Kind kindOf(const std::string& path) {
    char head[12] = {};
    std::ifstream(path, std::ios::binary).read(head, sizeof head);
    if ((std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RF64", 4) == 0) &&
        std::memcmp(head + 8, "WAVE", 4) == 0)
        return Kind::Wav;
    if (std::memcmp(head, "MThd", 4) == 0) return Kind::Midi;
    return Kind::Other;
}

MpegStream mpegStream(const std::string& path) {
    auto stream = scanMpeg(path, kLongestSeconds);
    if (!stream) throw renderFailure("not a WAV, MP2, MP3 or MIDI file");
    return *stream;
}

StreamLength checked(StreamLength length) {
    if (static_cast<double>(length.frames) / length.sampleRate >= kLongestSeconds)
        throw renderFailure("too long for an ident");
    return length;
}

}  // namespace

// A MIDI file is measured without the synthesizer, which only the sound
// device needs.
StreamLength measureAudio(const std::string& path) {
    requireSoundFile(path);
    switch (kindOf(path)) {
        case Kind::Wav: return checked(wavLength(path));
        case Kind::Midi: return checked(midiLength(MidiTiming(readMidiFile(path))));
        case Kind::Other: break;
    }
    MpegStream stream = mpegStream(path);
    return checked({stream.sampleRate, stream.frames});
}

std::unique_ptr<AudioSource> openAudio(const std::string& path) {
    requireSoundFile(path);
    std::unique_ptr<AudioSource> source;
    switch (kindOf(path)) {
        case Kind::Wav: source = std::make_unique<SndfileSource>(path); break;
        case Kind::Midi: source = std::make_unique<MidiSource>(readMidiFile(path)); break;
        case Kind::Other: source = std::make_unique<MpegSource>(path, mpegStream(path)); break;
    }
    checked({source->sampleRate(), source->frames()});
    return source;
}

void prepareFor(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return;
    if (kindOf(path) == Kind::Midi) prepareSynthesizer();
}

}  // namespace tc::sound
