#pragma once
#include <string>
#include <vector>

namespace tc {

// The names the page answers to, so that a page of another site that has
// its own name point at this machine (DNS rebinding) gets nothing: the
// address it listens on, localhost and the loopback addresses, and the
// names in [WEB] HOSTS (a reverse proxy's public name). Listening on every
// address, any address given as such is served too, never another name.
class ServedHosts {
public:
    ServedHosts(const std::string& listenAddress, const std::vector<std::string>& names);
    // The Host header of a request, with or without its port.
    bool serves(const std::string& host) const;

private:
    std::vector<std::string> names_;
    bool anyAddress_ = false;
};

// "a.example, B.example." → {"a.example", "b.example"}
std::vector<std::string> hostNames(const std::string& list);

}  // namespace tc
