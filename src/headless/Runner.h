#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/Form21.h"

namespace tc {

class AudioGraphFactory;
class EventLoop;
class PlaybackListener;
class StationListener;

struct HeadlessOptions {
    std::string scriptPath;
    bool virtualTime = false;
    std::string configDir;
    std::optional<std::string> callsign;
    bool trace = false;
};

// What a headless run takes from the platform it runs on.
struct HeadlessPlatform {
    // The player: on virtual time or on the sound device.
    std::function<std::unique_ptr<AudioGraphFactory>(EventLoop&, PlaybackListener&, bool virtualTime)> audio;
    // Whether another copy runs for the station of this configuration folder.
    std::function<bool(const std::string& configDir)> previousInstance;
    // The usage report; it calls back with the body it posted.
    std::function<Form21::ReportSender(EventLoop&, std::function<void(const std::string& body)>)> report;
    // What makes the simulated station audible in a run on real time (may be empty).
    std::function<std::unique_ptr<StationListener>()> stationSound;
    std::string rfToneDefault;
    std::string inetToneDefault;
};

// Runs a station script on the simulated station and writes the transcript
// to out. Returns the exit status: 0 when the script ran, 2 when it could
// not be read or parsed (the problem goes to err, and nothing runs).
int runHeadless(const HeadlessOptions& options, const HeadlessPlatform& platform, std::ostream& out,
                std::ostream& err);

}  // namespace tc
