#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/Form21.h"
#include "app/Options.h"
#include "hostlink/SimulatedStation.h"

namespace tc {

class AudioGraphFactory;
class EventLoop;

// What the windowed program takes from the platform it runs on.
struct WindowedPlatform {
    // The player on the sound device.
    std::function<std::unique_ptr<AudioGraphFactory>(EventLoop&)> audio;
    // The usage report; none when this build cannot send it.
    std::function<Form21::ReportSender(EventLoop&)> report;
    // What makes the simulated station's CW audible (may be empty).
    std::function<std::unique_ptr<StationListener>()> stationSound;
    std::string rfToneDefault;
    std::string inetToneDefault;
};

// The program on the desktop: the main window and, as the simulated station
// is the host, the station-simulator window beside it. Returns the exit
// status once the program has ended. With --screenshot DIR it writes
// pictures of both windows into DIR shortly after start-up and quits; such
// a run sends no usage report and saves nothing.
int runWindowed(const Options& options, const std::string& configDir, const WindowedPlatform& platform, int argc,
                char** argv);

}  // namespace tc
