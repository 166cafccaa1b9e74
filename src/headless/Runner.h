#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/Platform.h"

namespace tc {

struct HeadlessOptions {
    std::string scriptPath;
    bool virtualTime = false;
    std::string configDir;
    std::optional<std::string> callsign;
    bool trace = false;
};

// Runs a station script on the simulated station and writes the transcript
// to out. Returns the exit status: 0 when the script ran, 2 when it could
// not be read or parsed (the problem goes to err, and nothing runs).
int runHeadless(const HeadlessOptions& options, const Platform& platform, std::ostream& out,
                std::ostream& err);

}  // namespace tc
