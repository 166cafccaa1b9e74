#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "program/Hosts.h"
#include "report/ReportSender.h"

namespace tc {

class AudioGraphFactory;
class EventLoop;
class Form21;
class PlaybackListener;
class Profile;
class HostListener;
class Transcript;
class Watch;

// What every front end (the windows, the headless runner, the run beside
// the real host) takes from the system it runs on.
struct Platform {
    // The player: on virtual time, or on the sound output.
    std::function<std::unique_ptr<AudioGraphFactory>(EventLoop&, PlaybackListener*, bool virtualTime)> audio;
    // The usage report.
    std::function<ReportSender(EventLoop&)> report;
    // Whether another copy runs for the station of this configuration folder.
    std::function<bool(const std::string& configDir)> previousInstance;
    // What makes the simulated station's CW audible on real time (may be
    // empty, or give nothing where there is no sound output).
    std::function<std::unique_ptr<HostListener>()> stationSound;
    // The settings file of the station whose configuration folder is given.
    std::function<std::unique_ptr<Profile>(const std::string& configDir)> profile;
    // The hosts this build can run on, by name: the simulated station, the
    // node program where the build has it, a radio once one is chosen and
    // checked (--host rig, or the settings file's [RIG] section).
    HostTable hosts = withSimulatedHost({});
    // Puts the calling thread (the station's) on real-time scheduling where
    // the system allows it; returns what it did, for the log (may be empty).
    std::function<std::string()> realTime;
    // Follows the running station (after its start-up) for its history and
    // its web page, where the build has them; what it gives back lives until
    // the station ends. It writes its own news to the station's log.
    using Supervise = std::function<std::unique_ptr<Watch>(Form21&, EventLoop&, Transcript& log, bool virtualTime)>;
    Supervise supervise;
    // The courtesy tones installed with the program.
    std::string rfToneDefault;
    std::string inetToneDefault;
};

}  // namespace tc
