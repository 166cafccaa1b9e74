#pragma once
#include <iosfwd>
#include <string>

#include "program/Options.h"
#include "program/Platform.h"

namespace tc::win32 {

// The program on the Windows desktop: the main window over the node program
// (options.host is echolink) or over the simulated station with the
// station-simulator window beside it; a notice, when there is one, says in
// the main window's title and the simulator's log why the station is simulated. The program's own doings
// (caption, messages, dialogs, transmissions, saves, the report, the end)
// are written to out as the headless runner writes them; the caller gives
// the standard output, which a console or a redirection may be reading.
// Returns the exit status once the program has ended.
int runWindowed(const Options& options, const std::string& configDir, const Platform& platform, std::ostream& out,
                const std::string& notice);

}  // namespace tc::win32
