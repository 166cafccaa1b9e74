#pragma once
#include <optional>
#include <string>

#include "program/headless/Script.h"

namespace standin {

// What the outside world does to the host, in the station-script form the
// headless runner reads: `callsign`, and `at T` with `carrier up|down`,
// `rx on|off`, `chat TEXT`, `closing` or `end`. The operator's statements
// (clicks, typing, dialogs, ...) have no place at the host and are refused.
// On failure returns nullopt and sets problem ("FILE:LINE: what").
std::optional<tc::Script> loadTimeline(const std::string& path, std::string& problem);

}  // namespace standin
