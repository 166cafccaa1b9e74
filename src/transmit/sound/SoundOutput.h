#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/EventLoop.h"
#include "core/HostListener.h"
#include "core/AudioGraph.h"
#include "core/PlaybackListener.h"

namespace tc::sound {

// What the program asks of the sound output. The output (SDL for the
// device, FluidSynth for MIDI) is a module of its own, loaded by the first
// mode that sounds: a station on virtual time, and the program asked only
// for its version or help, never load the sound system.
struct SoundOutput {
    // Graphs that play on the output.
    std::unique_ptr<AudioGraphFactory> (*deviceAudio)(EventLoop& loop, PlaybackListener* listener);
    // The simulated station's CW, audible.
    std::unique_ptr<HostListener> (*stationSound)();
    // Morse sounded as a radio without a keyer sends its ident; false when
    // there is no output to sound it.
    std::function<bool(const std::string& text, int wordsPerMinute)> (*cwVoice)();
    // The sound card to play on, by name; empty for the default.
    void (*useOutputDevice)(std::string name);
    // The names of the sound cards; throws when the sound system cannot start.
    std::vector<std::string> (*outputDeviceNames)();
};

}  // namespace tc::sound

// The module's one entry point, found by name.
extern "C" const tc::sound::SoundOutput* tailchime_sound_output();

namespace tc::sound {

using SoundOutputEntry = decltype(tailchime_sound_output);

inline constexpr const char* kSoundModule = "tailchime-sound.so";
inline constexpr const char* kSoundModuleEntry = "tailchime_sound_output";

}  // namespace tc::sound
