#pragma once
#include <memory>
#include <string>

#include "transmit/sound/AudioSource.h"

namespace tc::sound {

// The file opened for playback, its length counted as measureAudio does.
std::unique_ptr<AudioSource> openAudio(const std::string& path);

// The file may soon be played on the sound output: for a MIDI file the
// synthesizer starts loading in the background. Anything else is ignored.
void prepareFor(const std::string& path);

}  // namespace tc::sound
