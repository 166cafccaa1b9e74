#pragma once
#include <string>

#include "core/RuntimeError.h"

namespace tc::sound {

// The graph could not be built for the file: missing, unreadable, of a type
// we cannot decode, without sound, or no output to play it on. The number
// is the one the original playback graph reports when it cannot render.
inline RuntimeError renderFailure(const std::string& why) { return {-2147220968, "Cannot render file: " + why}; }

// A call on a graph that holds no rendered file.
inline RuntimeError notRendered() { return {-2147467259, "No file is rendered in this graph"}; }

// A value the player does not accept (volume, rate or position out of range).
inline RuntimeError invalidArgument() { return {5, "Invalid procedure call or argument"}; }

}  // namespace tc::sound
