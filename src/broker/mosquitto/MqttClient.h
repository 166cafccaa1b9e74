#pragma once
#include <functional>
#include <string>

#include "broker/BrokerSettings.h"

struct mosquitto;
struct mosquitto_message;

namespace tc {

// One connection to a broker through Eclipse Mosquitto's client library.
// The network runs on the library's own thread, which also reconnects a
// lost broker, waiting longer each time (1 s doubling up to 60 s); the
// callbacks are called there. Publishing only queues the message: it
// never waits for the network.
class MqttClient {
public:
    struct Callbacks {
        std::function<void()> connected;                 // also after each reconnection
        std::function<void(const std::string& why)> lost;  // once per loss or failed attempt
        std::function<void(const std::string& topic, const std::string& payload)> message;
    };

    // The will is published by the broker when the connection dies unsaid.
    MqttClient(const BrokerSettings& settings, const std::string& clientId, const std::string& willTopic,
               const std::string& willPayload, Callbacks callbacks);
    ~MqttClient();  // disconnects and stops the library's thread
    MqttClient(const MqttClient&) = delete;
    MqttClient& operator=(const MqttClient&) = delete;

    // Starts connecting; false, with the problem set, for settings the
    // library refuses (a lost or absent broker is no problem: it is tried
    // again and again).
    bool start(std::string& problem);
    void publish(const std::string& topic, const std::string& payload, bool retain);
    void subscribe(const std::string& topic);
    // Disconnects cleanly (the will is not published), waiting at most a
    // moment for what is queued.
    void stop();

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* m);

    BrokerSettings settings_;
    Callbacks callbacks_;
    mosquitto* client_ = nullptr;
    bool looping_ = false;
};

}  // namespace tc
