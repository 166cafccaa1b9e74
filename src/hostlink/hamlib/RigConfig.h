#pragma once
#include <optional>
#include <string>

#include "app/Options.h"

namespace tc {

class Profile;

// How the station reaches its radio through Hamlib, and what Tailchime
// itself adds: the call sign the station reports, the transmitter time-out
// and the speed of the Morse it keys itself.
struct RigConfig {
    int model = 0;        // Hamlib's rig model number (2: a running rigctld)
    std::string file;     // DEVICE or HOST:PORT; "" is the model's default
    std::string pttType;  // Hamlib's names (RIG, RTS, DTR, CM108, ...); "" the model's own
    std::string pttFile;
    std::string dcdType;  // RIG, CD, CTS, DSR, CM108, ...; "" the model's own
    std::string dcdFile;
    int serialSpeed = 0;  // 0: the model's default
    int txTimeoutS = 0;   // 0: no time-out
    int cwWpm = 20;
    std::string callsign;  // the station's call sign; "" until the operator sets it
};

// The settings file's own section for the radio; the thirteen settings of
// the panel stay where they are.
inline constexpr const char* kRigSection = "RIG";

// Whether a radio is the station's host: --host rig, or, when the command
// line names no host and runs no script, a MODEL in the [RIG] section.
bool radioChosen(const Options& options, Profile& profile);

// The [RIG] section with the command line over it. On a value that is not
// what its key needs, returns nullopt and sets problem to a clear sentence.
std::optional<RigConfig> readRigConfig(const Options& options, Profile& profile, std::string& problem);

}  // namespace tc
