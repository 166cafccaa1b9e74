#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "transmit/sound/AudioFile.h"
#include "transmit/sound/MidiTiming.h"

namespace tc::sound {

// MIDI files are rendered, and measured, at this rate.
constexpr int kMidiRate = 44100;

// The file's bytes, checked as a MIDI file. Throws the render failure for
// a file too large to be a tune or not well formed.
std::vector<std::uint8_t> readMidiFile(const std::string& path);

// A MIDI file lasts until its last event, as MIDI streams are rendered.
StreamLength midiLength(const MidiTiming& timing);

}  // namespace tc::sound
