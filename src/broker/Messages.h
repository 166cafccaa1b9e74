#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/StationEvents.h"

namespace tc::broker {

// The JSON of one station event on TOPIC/event: overs, idents, key-ups,
// the switch and the settings, the radio's news; nothing for what a club
// does not follow (the panel's status is TOPIC/state).
std::optional<std::string> eventJson(const StationEvent& e);

// Home Assistant's discovery: one device for the station (call sign, model
// and version), binary sensors for the four lamps, sensors for today's
// overs, kerchunks, courtesies and transmitter minutes, and the switch
// when the broker may switch the station. Topic and retained payload
// each; a payload "" takes a switch of an earlier run away.
std::vector<std::pair<std::string, std::string>> discovery(const std::string& topic, const std::string& callsign,
                                                           const std::string& version, bool control);

}  // namespace tc::broker
