#include "broker/mosquitto/MqttClient.h"

#include <mosquitto.h>

#include <mutex>

namespace tc {

namespace {

constexpr int kKeepAliveS = 30;
constexpr int kFirstRetryS = 1;
constexpr int kLastRetryS = 60;

void libraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

}  // namespace

MqttClient::MqttClient(const BrokerSettings& settings, const std::string& clientId, const std::string& willTopic,
                       const std::string& willPayload, Callbacks callbacks)
    : settings_(settings), callbacks_(std::move(callbacks)) {
    libraryOnce();
    client_ = mosquitto_new(clientId.c_str(), true, this);
    if (!client_) return;
    mosquitto_will_set(client_, willTopic.c_str(), static_cast<int>(willPayload.size()), willPayload.data(), 1, true);
    mosquitto_connect_callback_set(client_, onConnect);
    mosquitto_disconnect_callback_set(client_, onDisconnect);
    mosquitto_message_callback_set(client_, onMessage);
    mosquitto_reconnect_delay_set(client_, kFirstRetryS, kLastRetryS, true);
}

MqttClient::~MqttClient() {
    stop();
    if (client_) mosquitto_destroy(client_);
}

bool MqttClient::start(std::string& problem) {
    if (!client_) {
        problem = "the MQTT client cannot be made";
        return false;
    }
    if (!settings_.username.empty() &&
        mosquitto_username_pw_set(client_, settings_.username.c_str(),
                                  settings_.password.empty() ? nullptr : settings_.password.c_str()) != MOSQ_ERR_SUCCESS) {
        problem = "the broker's user name is refused";
        return false;
    }
    if (!settings_.cafile.empty()) {
        int rc = mosquitto_tls_set(client_, settings_.cafile.c_str(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            problem = "the broker's CA file " + settings_.cafile + ": " + mosquitto_strerror(rc);
            return false;
        }
    }
    // A broker that is not there yet is tried again by the library's thread.
    int rc = mosquitto_connect_async(client_, settings_.host.c_str(), settings_.port, kKeepAliveS);
    if (rc != MOSQ_ERR_SUCCESS && callbacks_.lost) callbacks_.lost(mosquitto_strerror(rc));
    rc = mosquitto_loop_start(client_);
    if (rc != MOSQ_ERR_SUCCESS) {
        problem = std::string("the MQTT client's thread cannot start: ") + mosquitto_strerror(rc);
        return false;
    }
    looping_ = true;
    return true;
}

void MqttClient::publish(const std::string& topic, const std::string& payload, bool retain) {
    if (client_)
        mosquitto_publish(client_, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, retain);
}

void MqttClient::subscribe(const std::string& topic) {
    if (client_) mosquitto_subscribe(client_, nullptr, topic.c_str(), 1);
}

void MqttClient::stop() {
    if (!looping_) return;
    looping_ = false;
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, false);
}

void MqttClient::onConnect(mosquitto*, void* self, int rc) {
    auto* me = static_cast<MqttClient*>(self);
    if (rc == 0) {
        if (me->callbacks_.connected) me->callbacks_.connected();
    } else if (me->callbacks_.lost) {
        me->callbacks_.lost(mosquitto_connack_string(rc));
    }
}

void MqttClient::onDisconnect(mosquitto*, void* self, int rc) {
    auto* me = static_cast<MqttClient*>(self);
    if (rc != 0 && me->callbacks_.lost) me->callbacks_.lost(mosquitto_strerror(rc));
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* m) {
    auto* me = static_cast<MqttClient*>(self);
    if (!me->callbacks_.message || !m->topic) return;
    me->callbacks_.message(m->topic, std::string(static_cast<const char*>(m->payload), static_cast<size_t>(m->payloadlen)));
}

}  // namespace tc
