#pragma once
// A station on the real clock in the benchmark's own process, with its
// history and its web page on 127.0.0.1: the same parts the program puts
// together, so that the figures are the program's.
#include <filesystem>
#include <chrono>
#include <map>
#include <vector>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "BenchSupport.h"
#include "program/Form21.h"
#include "core/StationLoop.h"
#include "program/ToneFiles.h"
#include "app/posix/IniProfile.h"
#include "core/Transcript.h"
#include "hostlink/SimulatedStation.h"
#include "program/supervision/Supervision.h"
#include "transmit/sound/AudioFactories.h"

namespace bench {

struct WebStation {
    // settings: keys of the [WEB] section, in the settings file before the page starts;
    // mqtt: a broker's HOST:PORT for the bridge too.
    explicit WebStation(int port, const std::map<std::string, std::string>& settings = {},
                        std::optional<std::string> mqtt = {})
        : dir((std::filesystem::temp_directory_path() / ("tailchime-bench-web-" + std::to_string(port))).string()),
          station(loop, "W1AW-R"),
          profile((std::filesystem::create_directories(dir), dir + "/tailchime.ini")),
          graphs(tc::makeVirtualAudio(loop, nullptr)),
          log(logText, [this] { return loop.nowMs(); }),
          form({loop, station, *graphs, desktop, profile, tc::defaultTone("RF.wav"), tc::defaultTone("IP.wav"), {}, {}}) {
        for (const auto& [key, value] : settings) profile.WriteString("WEB", key, value);
        profile.Flush();
        form.load();
        tc::SupervisionOptions options;
        options.configDir = dir;
        options.web = tc::ListenAt{"127.0.0.1", port};
        options.mqtt = std::move(mqtt);
        supervision = tc::Supervision::start(form, loop, log, false, options);
    }
    // The carrier up for heldMs every everyMs, from `first` until `until`.
    void traffic(std::int64_t first, std::int64_t until, int everyMs, int heldMs) {
        for (std::int64_t t = first; t < until; t += everyMs) {
            loop.post(t, tc::Lane::Outside, [this] { station.raiseCarrier(true); });
            loop.post(t + heldMs, tc::Lane::Outside, [this] { station.raiseCarrier(false); });
        }
    }
    // From now on `ticks` holds when each of the supervisor's ticks came.
    void timeTicks() {
        auto supervisor = form.panel.Timer4->onTick;
        form.panel.Timer4->onTick = [this, supervisor] {
            ticks.push_back(std::chrono::steady_clock::now());
            supervisor();
        };
    }
    std::vector<std::chrono::steady_clock::time_point> ticks;

    ~WebStation() {
        supervision.reset();
        std::filesystem::remove_all(dir);
    }

    std::string dir;
    tc::StationLoop loop{tc::StationLoop::Pace::Real};
    tc::SimulatedStation station;
    tc::IniProfile profile;
    QuietDesktop desktop;
    std::unique_ptr<tc::AudioGraphFactory> graphs;
    std::ostringstream logText;
    tc::Transcript log;
    tc::Form21 form;
    std::unique_ptr<tc::Supervision> supervision;
};

}  // namespace bench
