// What stands between the page and the transmitter: the password, the
// sessions and the throttle of wrong passwords.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "app/posix/IniProfile.h"
#include "support/TempDir.h"
#include "web/Sessions.h"
#include "web/Throttle.h"
#include "web/WebSettings.h"
#include "web/secure/PasswordCommand.h"
#include "web/secure/Secrets.h"
#include "web/secure/WebPageChoice.h"

using namespace tc;

TEST(Password, OnlyItsHashIsStoredAndOnlyItMatches) {
    TempDir dir;
    std::istringstream in("correct horse\n");
    std::ostringstream err;
    IniProfile profile(dir.file("tailchime.ini"));
    ASSERT_EQ(setWebPassword(profile, in, err), 0) << err.str();
    WebSettings web = WebSettings::read(profile);
    EXPECT_EQ(web.passwordHash.rfind("$argon2id$", 0), 0u);
    EXPECT_EQ(web.passwordHash.find("correct horse"), std::string::npos);
    EXPECT_TRUE(secrets::passwordMatches(web.passwordHash, "correct horse"));
    EXPECT_FALSE(secrets::passwordMatches(web.passwordHash, "correct horse "));
    EXPECT_FALSE(secrets::passwordMatches("", ""));

    std::istringstream empty("\n");
    EXPECT_EQ(setWebPassword(profile, empty, err), 1);
    EXPECT_EQ(WebSettings::read(profile).passwordHash, web.passwordHash);
}

TEST(WebPageChoice, IsCheckedAndStoredWithThePasswordsHashOnly) {
    struct Row {
        WebPageChoice choice;
        const char* problem;  // "" when stored
        const char* page;     // where the page then is
    };
    const Row rows[] = {
        {{"", "8080", "n0 kerchunks", "n0 kerchunks"}, "", "http://127.0.0.1:8080/"},
        {{"0.0.0.0", "8081", "", ""}, "", "http://127.0.0.1:8081/"},  // the password kept
        {{"::1", "8082", "", ""}, "", "http://[::1]:8082/"},
        {{"", "", "", ""}, "", ""},  // no port, no page
        {{"", "80800", "", ""}, "The port is a number from 1 to 65535.", ""},
        {{"", "http", "", ""}, "The port is a number from 1 to 65535.", ""},
        {{"example.org", "8080", "", ""}, "The address is an IP address, such as 127.0.0.1 or 0.0.0.0.", ""},
        {{"", "8080", "one", "other"}, "The two passwords differ.", ""},
    };
    TempDir dir;
    IniProfile profile(dir.file("tailchime.ini"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.choice.address + ":" + row.choice.port + " " + row.choice.password);
        const std::string before = WebSettings::read(profile).passwordHash;
        auto problem = problemWith(row.choice);
        if (!problem)
            problem = storeWebPageChoice(profile, row.choice,
                                         row.choice.password.empty() ? "" : *secrets::hashPassword(row.choice.password));
        EXPECT_EQ(problem.value_or(""), row.problem);
        const WebSettings web = WebSettings::read(profile);
        if (!*row.problem) {
            EXPECT_EQ(pageAddress(web), row.page);
        }
        if (row.choice.password.empty() || *row.problem) {
            EXPECT_EQ(web.passwordHash, before);
        }
    }
    const std::string hash = WebSettings::read(profile).passwordHash;
    EXPECT_TRUE(secrets::passwordMatches(hash, "n0 kerchunks"));
    EXPECT_EQ(IniProfile(dir.file("tailchime.ini")).GetString("WEB", "PASSWORD", ""), hash);
}

TEST(Sessions, EndTwelveHoursUnusedAndAtLogout) {
    std::int64_t now = 0;
    Sessions sessions(secrets::sessionSecrets(), [&] { return now; });
    std::string a = sessions.open(), b = sessions.open();
    EXPECT_EQ(a.size(), 64u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(sessions.use(a));
    EXPECT_FALSE(sessions.use(a.substr(0, 63) + (a.back() == '0' ? "1" : "0")));
    EXPECT_FALSE(sessions.use(""));
    now = Sessions::kIdleMs - 1;
    EXPECT_TRUE(sessions.use(a));  // and so it lives on
    now += Sessions::kIdleMs - 1;
    EXPECT_TRUE(sessions.use(a));
    EXPECT_FALSE(sessions.use(b));
    sessions.close(a);
    EXPECT_FALSE(sessions.use(a));
}

TEST(Throttle, FiveFreeTriesThenDoublingWaitsAndTriesAtOnceAreNeverAllChecked) {
    std::int64_t now = 0;
    Throttle throttle([&] { return now; });
    const std::string a = "10.0.0.1", b = "10.0.0.2";
    int admitted = 0;
    for (int i = 0; i < 30; ++i) admitted += throttle.admit(a) == 0;  // thirty at once
    EXPECT_EQ(admitted, Throttle::kFree);
    for (int i = 1; i < Throttle::kFree; ++i) EXPECT_EQ(throttle.failed(a), 0) << i;
    EXPECT_EQ(throttle.failed(a), 30000);
    EXPECT_EQ(throttle.admit(a), 30000);
    EXPECT_EQ(throttle.admit(b), 0);  // others are not held up
    throttle.succeeded(b);
    for (std::int64_t wait : {60000, 120000, 240000, 480000, 900000, 900000}) {
        now += throttle.admit(a);
        ASSERT_EQ(throttle.admit(a), 0);
        EXPECT_EQ(throttle.admit(a), Throttle::kBusyWaitMs);  // one try at a time past the free ones
        EXPECT_EQ(throttle.failed(a), wait);
    }
    now += 900000;
    ASSERT_EQ(throttle.admit(a), 0);
    throttle.succeeded(a);
    EXPECT_EQ(throttle.admit(a), 0);
    // From everywhere together: past kFreeAll within the window, every login waits.
    Throttle all([&] { return now; });
    for (int i = 0; i < Throttle::kFreeAll; ++i) {
        const std::string from = "10.1.0." + std::to_string(i);
        ASSERT_EQ(all.admit(from), 0) << i;
        all.failed(from);
    }
    EXPECT_EQ(all.admit("10.2.0.1"), 30000);
}

TEST(WebSettings, WhereThePageListens) {
    for (auto [text, address, port] : {std::tuple{"8080", "127.0.0.1", 8080}, std::tuple{"0.0.0.0:80", "0.0.0.0", 80},
                                       std::tuple{"[::1]:8443", "::1", 8443}}) {
        auto at = parseListenAt(text, "127.0.0.1");
        ASSERT_TRUE(at) << text;
        EXPECT_EQ(at->address, address);
        EXPECT_EQ(at->port, port);
    }
    for (const char* bad : {"", "0", "65536", "host:", ":80", "::1:80", "[::1]80", "80x", "[]:80"})
        EXPECT_FALSE(parseListenAt(bad, "127.0.0.1")) << bad;

    TempDir dir;
    std::ofstream(dir.file("tailchime.ini")) << "[WEB]\nVIEW=Open\n";
    IniProfile profile(dir.file("tailchime.ini"));
    const WebSettings read = WebSettings::read(profile);
    EXPECT_EQ(read.address, "127.0.0.1");  // this machine only, unless told otherwise
    EXPECT_TRUE(read.viewOpen);
}
