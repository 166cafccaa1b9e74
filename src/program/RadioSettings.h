#pragma once
#include <optional>
#include <string>

#include "program/Options.h"
#include "hostlink/RigConfig.h"

namespace tc {

class Profile;

// The settings file's own section for the radio; the thirteen settings of
// the panel stay where they are.
inline constexpr const char* kRigSection = "RIG";

// The radio as the operator chose it: the settings file's [RIG] section
// with the command line over it.
struct RadioSettings {
    // A radio is the station's host: --host rig, or, when the command line
    // names no host and runs no script, a MODEL in the [RIG] section.
    bool chosen = false;
    // The sound card wired to the radio (--audio-device, else AUDIODEVICE
    // of a chosen radio); "" for the default output.
    std::string audioDevice;
    RigConfig rig;  // when chosen
};

// On a value that is not what its key needs, returns nullopt and sets
// problem to a clear sentence.
std::optional<RadioSettings> readRadioSettings(const Options& options, Profile& profile, std::string& problem);

}  // namespace tc
