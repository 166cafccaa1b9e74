#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "program/Options.h"

namespace tc {

class EventLoop;
class HostLinkFactory;
class HostListener;

// The hosts a station can run on, by the name the operator gives with
// --host: the built-in simulated station everywhere, the node program on
// Windows, a radio through Hamlib on Linux.
inline constexpr const char* kSimulatedHost = "simulated";
inline constexpr const char* kNodeProgramHost = "echolink";
inline constexpr const char* kRadioHost = "rig";

// Said in the windows (the station simulator's log, the main window's
// title) when they run on the simulated station because the node program,
// the default host where a build has it, is not installed.
inline constexpr const char* kNotInstalledNotice = "The node program is not installed: this is the simulated station";

// What a host is made with.
struct HostParts {
    EventLoop& loop;
    // Told what the host's station does on the air (a host without a
    // station of its own, the node program, tells nobody).
    std::vector<HostListener*> listeners;
    std::string callsign;  // the simulated station's; "" for its default
};

using HostMaker = std::function<std::unique_ptr<HostLinkFactory>(const HostParts&)>;
using HostTable = std::map<std::string, HostMaker, std::less<>>;

// The table with the simulated station in it, which every build has.
HostTable withSimulatedHost(HostTable hosts);

// The host the command line chooses: --host NAME where the table has it,
// else `preferred` (a radio the settings file names, the node program where
// it is installed). Returns nullopt and sets problem when the choice does
// not fit the other options.
std::optional<std::string> chooseHost(const Options& options, const HostTable& hosts, const std::string& preferred,
                                      std::string& problem);

}  // namespace tc
