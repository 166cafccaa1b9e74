#pragma once
#include <string>

namespace tc::win32 {

// The folder that holds tailchime.exe; the courtesy tones are installed
// beside it.
std::string programFolder();

// Where the profile functions keep a settings file given by its bare name.
std::string windowsFolder();

}  // namespace tc::win32
