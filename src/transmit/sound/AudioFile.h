#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "transmit/sound/AudioSource.h"

namespace tc::sound {

// How long a stream really is, in frames at its own sample rate.
struct StreamLength {
    int sampleRate = 0;
    std::int64_t frames = 0;
};

// The file's true length, found from its content (not its name): decoded
// once for WAV, MP2 and MP3, read from the tempo map for MIDI. Throws the
// render failure for anything that is not a playable sound file.
StreamLength measureAudio(const std::string& path);

// The file opened for playback, its length counted as measureAudio does.
std::unique_ptr<AudioSource> openAudio(const std::string& path);

// The file may soon be played on the sound output: for a MIDI file the
// synthesizer starts loading in the background. Anything else is ignored.
void prepareFor(const std::string& path);

}  // namespace tc::sound
