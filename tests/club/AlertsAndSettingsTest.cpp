// Which station events become alerts, and how often; the broker's settings.
#include <gtest/gtest.h>

#include <fstream>

#include "alerts/AlertWatch.h"
#include "app/posix/IniProfile.h"
#include "broker/BrokerSettings.h"
#include "support/TempDir.h"

namespace {

using namespace tc;

TEST(AlertWatch, TellsEachConditionOnceInItsQuietTime) {
    std::int64_t now = 0;
    StationEvents events([&now] { return now; });
    alerts::AlertWatch watch(events, 2);
    std::vector<std::string> told;
    auto following = watch.subscribe([&told](const alerts::Alert& a) { told.push_back(alerts::kindName(a.kind)); });
    auto kerchunk = [&] { events.raise(event::OverEnded{false, false, now - 300, now}); };
    const event::Radio lost{event::Radio::Lost, "radio lost"}, found{event::Radio::Opened, "radio open"};
    events.raise(found);  // opened at start: no news
    kerchunk(), kerchunk();
    events.raise(event::OverEnded{false, true, 0, 0});  // a counted over is no kerchunk
    now = 1000, kerchunk();                              // the third in the hour
    now = 2000, kerchunk();                              // again, but within the quiet time
    events.raise(lost), events.raise(lost);              // lost once, however often the radio says so
    events.raise(event::Radio{event::Radio::TimedOut, "released after 1 s"});
    events.raise(found);
    events.raise(event::Switched{false});
    events.raise(event::SettingsSaved{false, "/x/tailchime.ini"});
    now = alerts::AlertWatch::kQuietMs + 2000, events.raise(lost);  // news again after it was found
    watch.historyNotWritten("disk full");
    EXPECT_EQ(told, std::vector<std::string>({"kerchunks", "radio-lost", "transmitter-timeout", "radio-found",
                                              "switched-off", "settings-not-written", "radio-lost",
                                              "history-not-written"}));
}

TEST(BrokerSettings, FromTheSettingsFileWithTheCommandLineOverIt) {
    TempDir dir;
    std::ofstream(dir.file("secret")) << "s3cret\r\n";
    struct Case {
        std::string ini;
        std::optional<std::string> option;
        std::string expected;  // "host:port user/password tls control topic", or the problem
    };
    const Case cases[] = {
        {"", std::nullopt, "none"},
        {"HOST=broker\n", std::nullopt, "broker:1883 / - no tailchime/W1AW-R"},
        {"HOST=broker\nCAFILE=ca.pem\nCONTROL=YES\nTOPIC=club/r1/\n", std::nullopt, "broker:8883 / tls yes club/r1"},
        {"HOST=broker\nPORT=1884\nUSERNAME=r1\nPASSWORD_FILE=" + dir.file("secret") + "\n", "10.9.8.7:2000",
         "10.9.8.7:2000 r1/s3cret - no tailchime/W1AW-R"},
        {"HOST=broker\nPORT=99999\n", std::nullopt, "the broker's port '99999' is not a port from 1 to 65535"},
        {"", "broker:", "the broker's port '(none)' is not a port from 1 to 65535"},
        {"HOST=b\nPASSWORD_FILE=/nowhere\n", std::nullopt, "the broker's password file /nowhere cannot be read"},
    };
    for (const Case& c : cases) {
        std::ofstream(dir.file("tailchime.ini")) << "[MQTT]\n" << c.ini;
        IniProfile profile(dir.file("tailchime.ini"));
        std::string problem;
        auto s = BrokerSettings::read(profile, c.option, problem);
        std::string got = s ? s->host + ":" + std::to_string(s->port) + " " + s->username + "/" + s->password + " " +
                                  (s->cafile.empty() ? "-" : "tls") + " " + (s->control ? "yes" : "no") + " " +
                                  s->topicFor("W1AW-R")
                            : problem.empty() ? "none" : problem;
        EXPECT_EQ(got, c.expected) << c.ini;
    }
}

}  // namespace
