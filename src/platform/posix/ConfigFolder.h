#pragma once
#include <string>

namespace tc {

// The folder that holds this user's settings file and instance lock:
// $XDG_CONFIG_HOME/tailchime, else $HOME/.config/tailchime, else the
// working directory ("."). A relative XDG_CONFIG_HOME is ignored, as the
// XDG base-directory rules ask, so the folder never moves with the
// directory the program happens to be started from.
std::string defaultConfigFolder();

}  // namespace tc
