#pragma once
#include <string>

#include "app/Options.h"

namespace tc::win32 {

// "--host echolink": the station beside the real host program, with no window.
inline constexpr const char* kHostName = "echolink";

// Whether the options make sense beside the real host: the known host, and
// nothing that belongs to station scripts or the windows. Sets problem and
// returns false when not.
bool hostOptionsFit(const Options& options, std::string& problem);

}  // namespace tc::win32
