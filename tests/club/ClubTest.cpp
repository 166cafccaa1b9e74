// The station in a club's tools, each started here on loopback: Mosquitto
// (topics, discovery, commands, the last will, a restart, users and access
// lists), Prometheus and promtool on /metrics, and a webhook's receiver.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <future>
#include <memory>

#include "report/LoopbackServer.h"
#include "support/TempDir.h"
#include "web/WebClient.h"

namespace {

const std::string kProgram = TAILCHIME_TEST_BIN;

// Mosquitto on a port of its own, with `extra` lines in its configuration.
struct Broker {
    Broker(const TempDir& dir, int port, const std::string& extra = "allow_anonymous true\n") : port(port) {
        std::ofstream(dir.file("mosquitto.conf")) << "listener " << port << " 127.0.0.1\npersistence false\n" << extra;
        // Started as root, it reads its files as the user mosquitto.
        std::system(("chmod -R a+rX " + dir.path()).c_str());
        child = std::make_unique<Child>(std::vector<std::string>{"/usr/sbin/mosquitto", "-c", dir.file("mosquitto.conf")});
        EXPECT_TRUE(child->waitErr("running"));
    }
    // Everything published under topic, "TOPIC PAYLOAD" a line.
    std::unique_ptr<Child> subscribe(const std::string& topic = "#", const std::string& user = "") const {
        std::vector<std::string> argv{"mosquitto_sub", "-h", "127.0.0.1", "-p", std::to_string(port), "-v", "-t", topic};
        if (!user.empty()) argv.insert(argv.end(), {"-u", user, "-P", user});
        return std::make_unique<Child>(argv);
    }
    void publish(const std::string& topic, const std::string& payload, const std::string& user = "") const {
        std::string command = "mosquitto_pub -h 127.0.0.1 -p " + std::to_string(port) + " -t '" + topic + "' -m '" +
                              payload + "'" + (user.empty() ? "" : " -u " + user + " -P " + user);
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
    int port;
    std::unique_ptr<Child> child;
};

// The program on the real clock with a script, a settings file and the broker.
std::unique_ptr<Child> station(const TempDir& dir, const std::string& script, const std::string& ini, int brokerPort,
                               std::vector<std::string> more = {}) {
    std::ofstream(dir.file("station.tcs")) << "callsign W1AW-R\n" << script;
    std::ofstream(dir.file("tailchime.ini"), std::ios::app) << ini;
    std::vector<std::string> argv{kProgram,   "--headless",   dir.file("station.tcs"), "--mqtt",
                                  "127.0.0.1:" + std::to_string(brokerPort), "--config-dir", dir.path()};
    argv.insert(argv.end(), more.begin(), more.end());
    return std::make_unique<Child>(argv);
}

TEST(Club, TheStationOnTheBrokerFromOnlineToOfflineObeyingItsCommands) {
    TempDir dir;
    Broker broker(dir, freePort());
    auto sub = broker.subscribe();
    const int web = freePort();
    auto program = station(dir, "at 1000 carrier up\nat 1500 carrier down\nat 60000 end\n",
                           "[WEB]\nVIEW=open\n[MQTT]\nCONTROL=yes\n", broker.port,
                           {"--web", "127.0.0.1:" + std::to_string(web)});
    const std::string device = R"("device":{"identifiers":["tailchime_w1aw_r"],"manufacturer":"Tailchime",)"
                               R"("model":"Tailchime","name":"W1AW-R","sw_version":"2.0.1"})";
    for (const char* config : {"binary_sensor/tailchime_w1aw_r/kerchunker", "binary_sensor/tailchime_w1aw_r/rf",
                               "binary_sensor/tailchime_w1aw_r/internet", "binary_sensor/tailchime_w1aw_r/ptt",
                               "sensor/tailchime_w1aw_r/overs", "sensor/tailchime_w1aw_r/kerchunks",
                               "sensor/tailchime_w1aw_r/courtesies", "sensor/tailchime_w1aw_r/tx_minutes",
                               "switch/tailchime_w1aw_r/on"})
        EXPECT_TRUE(sub->waitOut(std::string("homeassistant/") + config + "/config {")) << config;
    EXPECT_NE(sub->out().find(device), std::string::npos) << sub->out();
    EXPECT_TRUE(sub->waitOut(R"(tailchime/W1AW-R/event {"event":"over","kind":"kerchunk")"));
    EXPECT_TRUE(sub->waitOut(R"("today":{"overs":0,"kerchunks":1,)"));

    broker.publish("tailchime/W1AW-R/set", R"({"action":"off"})");
    EXPECT_TRUE(program->waitOut("mqtt \"off from the broker\""));
    EXPECT_TRUE(sub->waitOut(R"(tailchime/W1AW-R/event {"event":"switch","on":false})"));
    EXPECT_TRUE(sub->waitOut(R"(tailchime/W1AW-R/state {"callsign":"W1AW-R","on":false)"));
    EXPECT_TRUE(program->waitOut("alert \"switched-off: "));
    broker.publish("tailchime/W1AW-R/set", R"({"action":"launch"})");
    EXPECT_TRUE(program->waitOut("refused: unknown action"));

    WebClient page(web);
    auto metrics = page.get("/metrics");
    ASSERT_TRUE(metrics);
    std::ofstream(dir.file("metrics.txt")) << metrics->body;
    EXPECT_EQ(std::system(("promtool check metrics < " + dir.file("metrics.txt")).c_str()), 0) << metrics->body;
    EXPECT_NE(metrics->body.find("tailchime_overs_total{source=\"rf\",kind=\"kerchunk\"} 1"), std::string::npos);
    EXPECT_NE(metrics->body.find("tailchime_alerts_total{alert=\"switched-off\"} 1"), std::string::npos);

    program->signal(SIGTERM);
    EXPECT_EQ(program->wait(), 0);
    EXPECT_TRUE(sub->waitOut("tailchime/W1AW-R/status offline"));
}

TEST(Club, TheWillOnAKillAndTheStateAgainAfterTheBrokerRestarts) {
    TempDir dir;
    const int port = freePort();
    auto broker = std::make_unique<Broker>(dir, port);
    auto program = station(dir, "at 60000 end\n", "", port);
    ASSERT_TRUE(program->waitOut("mqtt \"connected to"));
    broker.reset();  // the broker goes, and comes back
    broker = std::make_unique<Broker>(dir, port);
    auto sub = broker->subscribe();
    EXPECT_TRUE(sub->waitOut("tailchime/W1AW-R/status online"));
    EXPECT_TRUE(sub->waitOut(R"(tailchime/W1AW-R/state {"callsign":"W1AW-R","on":true)"));
    EXPECT_TRUE(program->waitOut("mqtt \"broker 127.0.0.1:" + std::to_string(port) + " not reached"));
    program->signal(SIGKILL);
    EXPECT_TRUE(sub->waitOut("tailchime/W1AW-R/status offline"));  // the broker's, as the will
}

TEST(Club, TheBrokersUsersDecideAndCommandsNeedControl) {
    TempDir dir;
    ASSERT_EQ(std::system(("mosquitto_passwd -b -c " + dir.file("users") + " station station").c_str()), 0);
    std::ofstream(dir.file("acl")) << "user station\ntopic readwrite tailchime/#\ntopic write homeassistant/#\n";
    Broker broker(dir, freePort(),
                  "allow_anonymous false\npassword_file " + dir.file("users") + "\nacl_file " + dir.file("acl") + "\n");
    auto refused = station(dir, "at 2000 end\n", "", broker.port);
    EXPECT_TRUE(refused->waitOut("not reached (Connection Refused: not authorised.)"));
    EXPECT_EQ(refused->wait(), 0);

    std::ofstream(dir.file("secret")) << "station\n";
    auto sub = broker.subscribe("tailchime/#", "station");
    auto program = station(dir, "at 60000 end\n",
                           "[MQTT]\nUSERNAME=station\nPASSWORD_FILE=" + dir.file("secret") + "\n", broker.port);
    EXPECT_TRUE(sub->waitOut("tailchime/W1AW-R/status online"));
    broker.publish("tailchime/W1AW-R/set", R"({"action":"off"})", "station");
    EXPECT_TRUE(program->waitOut("ignored: CONTROL is not yes"));
    program->signal(SIGTERM);
    EXPECT_EQ(program->wait(), 0);
    EXPECT_EQ(sub->out().find("\"on\":false"), std::string::npos);
}

TEST(Club, PrometheusScrapesWithTheTokenAndTheWebhookHearsTheAlert) {
    TempDir dir;
    std::promise<void> posted;
    LoopbackServer hook([&posted](const LoopbackServer::Send& send) {
        send("HTTP/1.1 204 No Content\r\n\r\n");
        posted.set_value();
    });
    Child token({kProgram, "--web-metrics-token", "--config-dir", dir.path()});
    ASSERT_EQ(token.wait(), 0);
    const std::string secret = token.out().substr(0, 64);
    const int web = freePort(), scraper = freePort();
    std::ofstream(dir.file("tailchime.ini"), std::ios::app)
        << "[ALERTS]\nWEBHOOK=http://127.0.0.1:" << hook.port() << "/alerts\n";
    std::ofstream(dir.file("prometheus.yml"))
        << "global: {scrape_interval: 1s}\nscrape_configs:\n  - job_name: tailchime\n    authorization: {credentials: "
        << secret << "}\n    static_configs: [{targets: ['127.0.0.1:" << web << "']}]\n";
    Broker broker(dir, freePort());
    auto program = station(dir, "at 1000 click Command15\nat 60000 end\n", "", broker.port,
                           {"--web", "127.0.0.1:" + std::to_string(web)});
    ASSERT_TRUE(program->waitOut("web \"serving"));
    EXPECT_EQ(WebClient(web).get("/metrics")->status, 401);  // not without the token

    ASSERT_EQ(posted.get_future().wait_for(Child::kGuard), std::future_status::ready);
    const std::string alert = hook.request();
    EXPECT_NE(alert.find("Content-Type: application/json"), std::string::npos) << alert;
    EXPECT_NE(alert.find(R"({"alert":"switched-off","station":"W1AW-R","text":"the station was switched off)"),
              std::string::npos) << alert;

    Child prometheus({"/usr/bin/prometheus", "--config.file=" + dir.file("prometheus.yml"),
                      "--storage.tsdb.path=" + dir.file("tsdb"), "--web.listen-address=127.0.0.1:" + std::to_string(scraper)});
    ASSERT_TRUE(prometheus.waitErr("Server is ready to receive web requests."));
    httplib::Client api("127.0.0.1", scraper);
    std::string series;
    for (int i = 0; i < 120 && series.find("W1AW-R") == std::string::npos; ++i) {  // until a scrape is in
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (auto r = api.Get("/api/v1/query?query=tailchime_info")) series = r->body;
    }
    EXPECT_NE(series.find(R"("callsign":"W1AW-R")"), std::string::npos) << series;
    program->signal(SIGTERM);
    EXPECT_EQ(program->wait(), 0);
}

}  // namespace
