#pragma once
#include <string>

namespace tc {

// The courtesy tones installed with the program ("RF.wav", "IP.wav"): in the
// installed data folder given, or the build tree's when the program runs
// from there. The installed path is named even when neither exists, so that
// a missing tone is reported by the player like any other.
std::string defaultTone(const std::string& fileName, const std::string& installedFolder = TAILCHIME_DATA_DIR);

}  // namespace tc
