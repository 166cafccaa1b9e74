#pragma once
#include <string>

namespace tc {

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

}  // namespace tc
