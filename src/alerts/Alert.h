#pragma once
#include <cstdint>
#include <string>

namespace tc::alerts {

// What a sysop wants to hear about at once.
enum class Kind {
    TransmitterTimedOut,  // the transmitter was held until its time-out released it
    RadioLost,
    RadioFound,
    SwitchedOff,  // from wherever
    Kerchunks,    // more kerchunks in an hour than the settings allow: a stuck or interfering radio
    HistoryNotWritten,
    SettingsNotWritten,
};

struct Alert {
    Kind kind;
    std::string text;  // in plain words, for the log, the page, the broker and the webhook
};

// "transmitter-timeout", "radio-lost", ...: the alert's name in JSON.
const char* kindName(Kind kind);

// {"alert":"radio-lost","text":"...","station":"W1AW-R"}
std::string alertJson(const Alert& alert, const std::string& callsign);

}  // namespace tc::alerts
