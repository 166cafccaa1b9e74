// The page answers only to its own names: a page elsewhere that points its
// own name at this machine gets nothing.
#include <gtest/gtest.h>

#include "web/ServedHosts.h"

TEST(ServedHosts, ItsAddressLocalhostAndTheNamesGiven) {
    const tc::ServedHosts loopback("127.0.0.1", tc::hostNames(" Repeater.Club.example. ,link2.example"));
    const tc::ServedHosts everywhere("0.0.0.0", {});
    const std::tuple<const tc::ServedHosts&, const char*, bool> cases[] = {
        {loopback, "127.0.0.1:8080", true},     {loopback, "localhost", true},
        {loopback, "[::1]:8080", true},         {loopback, "repeater.club.example:443", true},
        {loopback, "LINK2.example", true},      {loopback, "evil.example:8080", false},
        {loopback, "127.0.0.1.evil.example", false}, {loopback, "", false},
        {loopback, "192.168.1.20:8080", false}, {everywhere, "192.168.1.20:8080", true},
        {everywhere, "[fe80::1]:8080", true},   {everywhere, "evil.example", false},
    };
    for (const auto& [hosts, host, served] : cases) EXPECT_EQ(hosts.serves(host), served) << host;
}
