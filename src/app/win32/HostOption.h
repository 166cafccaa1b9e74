#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/Options.h"

namespace tc::win32 {

// "--host echolink": run the station beside the real host program, with no
// window. Windows builds only, so it is taken out of the arguments before
// the common ones are read.
inline constexpr const char* kHostName = "echolink";
extern const char* const kHostUsage;

// Removes "--host NAME" from args. nullopt when it is not given; on a bad
// NAME or a missing one, sets problem.
std::optional<std::string> takeHostOption(std::vector<std::string>& args, std::string& problem);

// The options that mean nothing beside the real host; sets problem and
// returns false when one is given with --host.
bool hostOptionsFit(const Options& options, std::string& problem);

}  // namespace tc::win32
