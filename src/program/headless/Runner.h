#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "program/Platform.h"

namespace tc {

struct HeadlessOptions {
    std::string scriptPath;
    bool virtualTime = false;
    std::string configDir;
    std::optional<std::string> callsign;
    bool trace = false;
    // A name of the platform's host table. With a radio the host's events
    // come from the radio, the clock is real, and the radio's news is
    // logged to err.
    std::string host = kSimulatedHost;
    // No script (--no-window): the station runs until it ends itself or is
    // stopped, and its whole log, wall-clock stamped, goes to out.
    bool unattended = false;
};

// Runs a station script on the simulated station (or the radio) and writes
// the transcript to out. Returns the exit status: 0 when the script ran, 2
// when it could not be read or parsed (the problem goes to err, and nothing
// runs). SIGTERM and SIGINT are a close request.
int runHeadless(const HeadlessOptions& options, const Platform& platform, std::ostream& out,
                std::ostream& err);

}  // namespace tc
