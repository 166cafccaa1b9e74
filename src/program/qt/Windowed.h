#pragma once
#include <string>

#include "program/Options.h"
#include "program/Platform.h"

namespace tc {

// The program on the desktop: the main window and, as the simulated station
// is the host, the station-simulator window beside it. Returns the exit
// status once the program has ended. With --screenshot DIR it writes
// pictures of both windows into DIR shortly after start-up and quits; such
// a run sends no usage report and saves nothing.
int runWindowed(const Options& options, const std::string& configDir, const Platform& platform, int argc,
                char** argv);

}  // namespace tc
