#pragma once
#include <string>

namespace tc {

// Where the program's own data (the courtesy tones) is installed: beside the
// running program, in ../share/tailchime from its folder, so that an
// installation works wherever it was unpacked; the folder of the configured
// installation prefix when the program cannot tell where it runs from.
std::string installedDataFolder();

}  // namespace tc
