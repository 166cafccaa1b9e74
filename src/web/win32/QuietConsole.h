#pragma once
#include <optional>
#include <string>

namespace tc::win32 {

// A line typed at the console the program was started from (a command
// prompt), its echo off meanwhile; nothing when the program's input is
// redirected (a pipe, a file) or it has no console.
std::optional<std::string> askAtConsole(const char* prompt);

}  // namespace tc::win32
