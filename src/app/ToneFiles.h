#pragma once
#include <string>

namespace tc {

// The courtesy tones installed with the program ("RF.wav", "IP.wav"): the
// installed data folder, or the build tree's when the program runs from
// there. The installed path is named even when neither exists, so that a
// missing tone is reported by the player like any other.
std::string defaultTone(const std::string& fileName);

}  // namespace tc
