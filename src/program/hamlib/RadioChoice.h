#pragma once
#include <functional>
#include <optional>
#include <string>

#include "program/Hosts.h"
#include "hostlink/RigConfig.h"
#include "hostlink/hamlib/RigStation.h"

namespace tc {

// The radio of these settings as a host of the station's table, checked
// with Hamlib before the station starts: nullopt, with the problem, when
// Hamlib refuses it. Without a call sign from the operator the station
// reports the simulated station's N0CALL-L. The radio's Morse tone (for a
// radio without a keyer) is the voice `makeVoice` gives, made before the
// station starts for a model without a keyer, else at the first text the
// radio's keyer refuses: a radio that keys its own Morse needs none.
std::optional<HostMaker> radioHost(RigConfig config, std::function<RigStation::CwVoice()> makeVoice,
                                   std::string& problem);

}  // namespace tc
