// With CERT and KEY the page is served over TLS only, and its session
// cookie is Secure.
#include <gtest/gtest.h>

#include <httplib.h>

#include <cstdlib>

#include "support/Child.h"
#include "support/TempDir.h"
#include "web/http/WebServer.h"
#include "web/secure/Secrets.h"

using namespace tc;

TEST(WebTls, ServedOverTlsWithASecureCookie) {
    TempDir dir;
    const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " +
                             dir.file("key.pem") + " -out " + dir.file("cert.pem") + " 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    WebSettings settings;
    settings.passwordHash = *secrets::hashPassword("over tls");
    settings.cert = dir.file("cert.pem");
    settings.key = dir.file("key.pem");
    EventHub hub;
    hub.publish(event::Status{});
    const int port = freePort();
    WebServer server(settings, ListenAt{"127.0.0.1", port},
                     Served{hub, [] { return history::Tally{}; },
                            [](std::int64_t, int) { return std::vector<history::Bucket>{}; },
                            [](const Control&, std::function<void()> done) { done(); }, [](const std::string&) {}, {}});
    std::string problem;
    ASSERT_TRUE(server.start(problem)) << problem;

    httplib::SSLClient tls("127.0.0.1", port);
    tls.enable_server_certificate_verification(false);
    auto login = tls.Post("/api/login", {{"Origin", "https://127.0.0.1:" + std::to_string(port)}},
                          "{\"password\":\"over tls\"}", "application/json");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->status, 200);
    const std::string cookie = login->get_header_value("Set-Cookie");
    EXPECT_NE(cookie.find("; HttpOnly; SameSite=Strict; Secure"), std::string::npos) << cookie;

    httplib::Client plain("127.0.0.1", port);
    plain.set_read_timeout(10, 0);
    auto refused = plain.Get("/api/session");
    EXPECT_TRUE(!refused || refused->status >= 400);  // no plain HTTP beside it

    WebSettings missing = settings;
    missing.cert = dir.file("none.pem");
    WebServer broken(missing, ListenAt{"127.0.0.1", freePort()},
                     Served{hub, {}, {}, {}, {}, {}});
    EXPECT_FALSE(broken.start(problem));
    EXPECT_NE(problem.find("cannot serve TLS"), std::string::npos) << problem;
}
