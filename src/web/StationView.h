#pragma once
#include <string>

#include "core/StationEvents.h"
#include "history/Tally.h"

namespace tc {

// The station as the page shows it: what the panel shows of it, as the
// station last told it, handed as a copy to the server's threads.
using StationView = event::Status;

// /api/state's answer.
std::string stateJson(const StationView& view, const history::Tally& today);

}  // namespace tc
