#pragma once
#include <string>

namespace tc::win32 {

// The folder that holds tailchime.exe; the courtesy tones are installed
// beside it.
std::string programFolder();

// Where this user's station keeps its settings unless told otherwise:
// "Tailchime" in the user's roaming application-data folder, where programs
// keep what must survive a restart and a normal user may write.
std::string settingsFolder();

}  // namespace tc::win32
