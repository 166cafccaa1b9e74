#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "transmit/sound/AudioSource.h"
#include "transmit/sound/MpegFrames.h"

namespace tc::sound {

// How long a stream really is, in frames at its own sample rate.
struct StreamLength {
    int sampleRate = 0;
    std::int64_t frames = 0;
};

// The file's true length, found from its content (not its name) without
// decoding it: a WAV's from its header, an MP2's or MP3's from its frame
// headers, a MIDI file's from its tempo map. Throws the render failure for
// anything that is not a playable sound file.
StreamLength measureAudio(const std::string& path);

// What a sound file holds, found from its first bytes (not its name).
// Idents are WAV, MP2, MP3 and MIDI; identifySound throws the render
// failure for a missing path, a folder, a pipe, an empty file and anything
// that is none of the four.
struct SoundFile {
    enum class Kind { Wav, Midi, Mpeg } kind;
    MpegStream mpeg;  // for MPEG: its frames, counted
};
SoundFile identifySound(const std::string& path);
// Whether the path names a MIDI file; never throws.
bool isMidiFile(const std::string& path);

// The length, unless it is too long for an ident (the render failure).
StreamLength fitsAnIdent(StreamLength length);

}  // namespace tc::sound
