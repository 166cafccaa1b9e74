#include "alerts/Alert.h"

#include <nlohmann/json.hpp>

namespace tc::alerts {

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::TransmitterTimedOut: return "transmitter-timeout";
        case Kind::RadioLost: return "radio-lost";
        case Kind::RadioFound: return "radio-found";
        case Kind::SwitchedOff: return "switched-off";
        case Kind::Kerchunks: return "kerchunks";
        case Kind::HistoryNotWritten: return "history-not-written";
        case Kind::SettingsNotWritten: return "settings-not-written";
    }
    return "";
}

std::string alertJson(const Alert& alert, const std::string& callsign) {
    return nlohmann::json{{"alert", kindName(alert.kind)}, {"text", alert.text}, {"station", callsign}}.dump();
}

}  // namespace tc::alerts
