#pragma once
#include <optional>
#include <string>

namespace tc {

// A line typed at the terminal that is the program's standard input, its
// echo off meanwhile and restored afterwards; nothing when the input is
// not a terminal.
std::optional<std::string> askAtTerminal(const char* prompt);

}  // namespace tc
