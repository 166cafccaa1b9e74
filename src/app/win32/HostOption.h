#pragma once
#include <string>

#include "app/Options.h"

namespace tc::win32 {

// "--host echolink": the windows beside the real host program.
inline constexpr const char* kHostName = "echolink";

// Whether the options make sense for the Windows program's windows: the
// known host, and nothing that belongs to station scripts; --callsign only
// for the simulated station (beside the host its call sign is the host's).
// Sets problem and returns false when not.
bool hostOptionsFit(const Options& options, std::string& problem);

}  // namespace tc::win32
