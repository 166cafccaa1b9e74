#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "program/Options.h"
#include "program/Platform.h"

namespace tc {

class ReportPost;

// The program's start on any system: reads the command line and starts the
// front end it asks for, with the platform's pieces.
struct Launcher {
    Platform platform;  // its report is made here, from http and --stats-server
    std::function<std::shared_ptr<ReportPost>(EventLoop&)> http;
    std::string configDirDefault;
    // The windows, where a build has them; the options name the chosen host,
    // and a notice, when there is one, tells the operator why it was chosen.
    using FrontEnd = std::function<int(const Options&, const std::string& configDir, const Platform&,
                                       const std::string& notice)>;
    FrontEnd windowed;
    // Where a build has the node program as a host: whether it is installed
    // on this machine. The windows then run beside it unless told otherwise.
    std::function<bool()> nodeProgramInstalled;
    // Where a build can have a radio as its host: puts it in the platform's
    // host table when one is chosen; false with a problem when the choice
    // cannot work.
    std::function<bool(const Options&, const std::string& configDir, Platform&, std::string& problem)> chooseRadio;
    // --list-rigs and --list-audio-devices; empty where a build has neither.
    std::function<int(const Options&)> lists;
    // Where a build keeps the station's history and serves its web page:
    // what follows a station of this folder (platform.supervise), and the
    // two commands that end at once (--history-csv, --web-password). A
    // problem with the options comes back as a text, and nothing runs.
    std::function<Platform::Supervise(const Options&, const std::string& configDir, std::string& problem)>
        supervision;
    std::function<int(const Options&, const std::string& configDir)> historyCsv;
    std::function<int(const std::string& configDir)> webPassword;
    std::function<int(const std::string& configDir)> webMetricsToken;
};

// Returns the program's exit status.
int launch(const std::vector<std::string>& args, const Launcher& launcher);

}  // namespace tc
