#pragma once
#include <functional>
#include <string>

#include "app/Options.h"
#include "app/Platform.h"
#include "hostlink/hamlib/RigStation.h"

namespace tc {

// What the radio needs from the rest of the program.
struct RadioParts {
    RigStation::CwVoice voice;                                 // the Morse tone of a radio without a keyer
    std::function<void(const std::string& name)> audioDevice;  // the sound card wired to the radio
};

// Chooses the radio as the station's host when the command line or the
// settings file asks for it, and checks every choice with Hamlib before the
// station starts: sets platform.radio, or returns false with the problem.
// The sound card (--audio-device, else AUDIODEVICE in [RIG]) is chosen
// here as well. Without a call sign from the operator the station reports
// the simulated station's N0CALL-L.
bool chooseRadio(const Options& options, const std::string& configDir, Platform& platform, std::string& problem,
                 const RadioParts& parts);

}  // namespace tc
