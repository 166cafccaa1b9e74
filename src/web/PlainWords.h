#pragma once
#include <optional>
#include <string>

#include "core/StationEvents.h"

namespace tc {

// A station event as the page's log tells it to a sysop ("Courtesy CW
// ident K", "RF kerchunk of 0.4 s"); nothing for what the log leaves out
// (the panel's status, the start of a file's playback).
std::optional<std::string> plainWords(const StationEvent& e);

// "14:05:09": this machine's time of day, for the log's lines.
std::string timeOfDay();

}  // namespace tc
