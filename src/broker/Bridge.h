#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "alerts/AlertWatch.h"
#include "broker/BrokerSettings.h"
#include "broker/mosquitto/MqttClient.h"
#include "core/EventLoop.h"
#include "core/StationEvents.h"
#include "core/Worker.h"
#include "history/Tally.h"

namespace tc {

class Mailbox;
class StationCommands;
class Transcript;

// The station on a club's broker, under TOPIC:
//   status  "online" or "offline", retained; "offline" is the will too
//   state   retained, the JSON of the page's /api/state, on every change
//   event   one JSON message for each station event and alert
//   set     commands (those of the page's /api/control), obeyed only with
//           CONTROL=yes; the broker's users and access lists are the authority
// and Home Assistant's discovery under homeassistant/. It follows the
// station on the logic thread and hands everything to a thread of its own,
// which builds the messages (today's counts come from the history) and
// queues them with the library: the station never waits for the broker.
class Bridge : public Watch {
public:
    struct Parts {
        StationEvents& events;
        alerts::AlertWatch& alerts;
        StationCommands& commands;
        Mailbox& mailbox;  // to the logic thread
        Transcript& log;
        std::function<history::Tally()> today;
        event::Status status;  // what the panel shows as the bridge starts
        std::string version;
    };
    // Messages waiting for the bridge's thread beyond this are dropped, the
    // oldest first (the state is sent again whole).
    static constexpr std::size_t kMaxWaiting = 4096;

    Bridge(const BrokerSettings& settings, Parts parts);
    ~Bridge() override;  // "offline", then a clean disconnect
    Bridge(const Bridge&) = delete;
    Bridge& operator=(const Bridge&) = delete;

    bool start(std::string& problem);

private:
    void told(const StationEvent& e);
    void publishState();
    void connected();
    void lost(const std::string& why);
    void commanded(const std::string& payload);
    void log(const std::string& text);

    BrokerSettings settings_;
    Parts p_;
    std::string topic_;
    std::unique_ptr<MqttClient> client_;

    event::Status lastStatus_;  // the logic thread's: the last one sent
    event::Status status_;      // the bridge's thread's copy
    std::atomic<bool> lostTold_{false};
    Worker worker_{kMaxWaiting};

    StationEvents::Subscription following_;
    alerts::AlertWatch::Subscription alertsFollowing_;
};

}  // namespace tc
