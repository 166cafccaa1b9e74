#pragma once
#include <string>

#include "app/Options.h"

namespace tc::win32 {

// "--host echolink": the windows beside the node program, the station's host.
inline constexpr const char* kHostName = "echolink";

// Said in the station simulator's log and the main window's title when the
// windows were started without --host and the node program is not installed.
inline constexpr const char* kNotInstalledNotice = "The node program is not installed: this is the simulated station";

// Whether the options make sense for the Windows program's windows: a known
// host, and nothing that belongs to station scripts; --callsign only for
// the simulated station (beside the node program its call sign is the
// node's). Sets problem and returns false when not.
bool hostOptionsFit(const Options& options, std::string& problem);

}  // namespace tc::win32
