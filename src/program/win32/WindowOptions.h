#pragma once
#include <string>

#include "program/Options.h"

namespace tc::win32 {

// Whether the options make sense for the Windows program's windows: nothing
// that belongs to station scripts or to the Linux windows. Sets problem and
// returns false when not.
bool windowOptionsFit(const Options& options, std::string& problem);

}  // namespace tc::win32
