#pragma once
#include <string>

#include "core/StationEvents.h"
#include "history/Tally.h"

namespace tc {

// /api/state's answer: the station as the page shows it (what the panel
// shows of it, as the station last told it) and today's counts.
std::string stateJson(const event::Status& view, const history::Tally& today);

}  // namespace tc
