#pragma once
#include <iosfwd>

#include "app/Options.h"
#include "app/Platform.h"

namespace tc::win32 {

// The station beside the real host program, with no window: the host
// object created by its class id, the tones played through DirectShow,
// the settings through the profile functions (the bare "tailchime.ini",
// or DIR\tailchime.ini with --config-dir), the usage report of the
// platform (WinINet), and the program's own doings (caption, messages, transmissions,
// saves, the end) written to out as the headless runner writes them; the
// host's record holds the keying, CW and chat. A console close or Ctrl+C is
// the close request. Returns the exit status.
int runWithHost(const Options& options, const Platform& platform, std::ostream& out);

}  // namespace tc::win32
