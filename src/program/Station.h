#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "program/Form21.h"
#include "core/EventLoop.h"
#include "program/Platform.h"
#include "core/StopSignals.h"
#include "program/headless/RadioLog.h"
#include "program/headless/TranscriptWriter.h"

namespace tc {

class Desktop;
class SimulatedStation;
class Transcript;

// The station, assembled once for every front end: the host chosen by
// name, the log of what the station does, the sound of the simulated
// station's CW, the player, the settings file, the usage report and the
// program's logic (Form21) over them. A front end gives it its loop, its
// desktop and its log, and then shows the panel and feeds it the
// operator's actions.
class Station {
public:
    struct Choices {
        std::string host = kSimulatedHost;  // a name of the platform's host table
        std::string configDir;
        std::string callsign;      // the simulated station's; "" for its default
        bool virtualTime = false;  // the player on the loop's virtual clock
        bool trace = false;        // the indicators' changes in the log too
        bool report = true;        // send the usage report at start-up
        bool stopSignals = true;   // SIGTERM and SIGINT release and close
    };
    struct Front {
        EventLoop& loop;
        Desktop& desktop;
        Transcript& log;                     // what the station does
        Transcript* radioLog = nullptr;      // a radio's own news; null: into log
        std::function<void()> afterHandler;  // a window refreshes from the panel here
    };

    Station(const Platform& platform, const Choices& choices, Front front);
    ~Station();
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    // Start-up (Form21's load); then, where the program has them, the
    // station's history and web page follow it. False when the program
    // ended in its start-up.
    bool start();

    Form21& form() { return *form_; }
    // The simulated station, for whatever plays the outside world (a
    // script, the simulator window); null on any other host.
    SimulatedStation* simulated() const { return simulated_; }

    // Whether another copy of the program runs on the settings folder.
    static std::function<bool()> previousInstance(const Platform& platform, const std::string& configDir);

private:
    Form21* running_ = nullptr;
    // Declared before the host: a stop signal stays handled until the
    // host has let go of the transmitter.
    std::optional<StopWatch> stopSignals_;
    TranscriptWriter doings_;
    RadioLog radioNews_;
    // A radio's news is the station's too (its followers hear of a lost radio).
    struct RadioEvents : HostListener {
        StationEvents* events = nullptr;
        void radioNotice(const event::Radio& news) override {
            if (events) events->raise(news);
        }
    } radioEvents_;
    std::unique_ptr<HostListener> sound_;
    std::unique_ptr<HostLinkFactory> host_;
    SimulatedStation* simulated_ = nullptr;
    std::unique_ptr<AudioGraphFactory> audio_;
    std::unique_ptr<Profile> profile_;
    std::unique_ptr<Form21> form_;
    // Gone before the station it follows.
    std::function<void()> startSupervision_;
    std::unique_ptr<Watch> supervision_;
};

}  // namespace tc
