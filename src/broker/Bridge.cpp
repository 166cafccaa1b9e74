#include "broker/Bridge.h"

#include "alerts/Alert.h"
#include "broker/Messages.h"
#include "core/Mailbox.h"
#include "core/Transcript.h"
#include "ui/StationCommands.h"
#include "web/Json.h"
#include "web/RemoteControl.h"
#include "web/StateJson.h"

namespace tc {

Bridge::Bridge(const BrokerSettings& settings, Parts parts)
    : settings_(settings), p_(std::move(parts)), topic_(settings.topicFor(p_.status.callsign)), status_(p_.status) {
    lastStatus_ = status_;
    lastStatus_.antenna = 0;
    client_ = std::make_unique<MqttClient>(
        settings_, "tailchime-" + p_.status.callsign, topic_ + "/status", "offline",
        MqttClient::Callbacks{[this] { connected(); }, [this](const std::string& why) { lost(why); },
                              [this](const std::string&, const std::string& payload) { commanded(payload); }});
}

bool Bridge::start(std::string& problem) {
    following_ = p_.events.subscribe([this](const StationEvent& e, std::int64_t) { told(e); });
    alertsFollowing_ = p_.alerts.subscribe([this](const alerts::Alert& a) {
        std::string json = alerts::alertJson(a, p_.status.callsign);
        worker_.hand([this, json] { client_->publish(topic_ + "/event", R"({"event":"alert",)" + json.substr(1), false); });
    });
    return client_->start(problem);
}

Bridge::~Bridge() {
    following_.cancel();
    alertsFollowing_.cancel();
    worker_.stop();
    client_->publish(topic_ + "/status", "offline", true);
    client_->stop();
}

void Bridge::told(const StationEvent& e) {
    if (auto* status = std::get_if<event::Status>(&e)) {
        // The turning antenna is no news for a club.
        event::Status s = *status;
        s.antenna = 0;
        if (s == lastStatus_) return;
        lastStatus_ = s;
        worker_.hand([this, s] {
            status_ = s;
            publishState();
        });
        return;
    }
    auto json = broker::eventJson(e);
    if (!json) return;
    worker_.hand([this, json = std::move(*json)] { client_->publish(topic_ + "/event", json, false); });
    // Today's counts change as an over or an ident ends.
    if (std::holds_alternative<event::OverEnded>(e) || std::holds_alternative<event::IdentEnded>(e) ||
        std::holds_alternative<event::Transmitter>(e))
        worker_.hand([this] { publishState(); });
}

void Bridge::publishState() { client_->publish(topic_ + "/state", stateJson(status_, p_.today()), true); }

// On the library's thread, after each (re)connection: the station says it
// is here, describes itself, and listens for commands.
void Bridge::connected() {
    lostTold_ = false;
    log("connected to " + settings_.host + ":" + std::to_string(settings_.port) + " as " + topic_);
    client_->publish(topic_ + "/status", "online", true);
    for (const auto& [topic, payload] : broker::discovery(topic_, p_.status.callsign, p_.version, settings_.control))
        client_->publish(topic, payload, true);
    worker_.hand([this] { publishState(); });
    client_->subscribe(topic_ + "/set");
}

void Bridge::lost(const std::string& why) {
    if (lostTold_) return;
    lostTold_ = true;
    log("broker " + settings_.host + ":" + std::to_string(settings_.port) + " not reached (" + why +
        "); trying again, less often each time");
}

void Bridge::commanded(const std::string& payload) {
    if (!settings_.control) {
        log("a command on " + topic_ + "/set ignored: CONTROL is not yes");
        return;
    }
    std::string problem;
    auto body = json::parseFlatObject(payload);
    auto control = body ? Control::from(*body, problem) : std::nullopt;
    if (!control) {
        log("a command on " + topic_ + "/set refused: " + (body ? problem : "not a JSON object"));
        return;
    }
    p_.mailbox.send([this, c = *control] {
        carryOut(c, p_.commands, Asker::Broker);
        p_.log.line("mqtt " + Transcript::quoted(c.name() + " from the broker"));
    });
}

// From any thread: the log is the logic thread's.
void Bridge::log(const std::string& text) {
    p_.mailbox.send([this, text] { p_.log.line("mqtt " + Transcript::quoted(text)); });
}

}  // namespace tc
