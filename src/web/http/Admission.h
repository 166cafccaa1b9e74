#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace tc {

// Who may hold a connection to the page: at most `total` at once, and at
// most `perAddress` from one address. A newcomer beyond either limit takes
// the place of the connection that has waited longest for a request (from
// its own address when that is full, from anyone when all are): a client
// that sends nothing, or sits on an idle connection, never keeps out one
// that asks. Only when every connection in the way is being answered is
// the newcomer refused.
class Admission {
public:
    using Id = std::uint64_t;
    Admission(std::size_t total, std::size_t perAddress) : total_(total), perAddress_(perAddress) {}

    struct Verdict {
        bool admitted = false;
        Id evicted = 0;  // the connection to close for it (0: none)
    };
    // A new connection, waiting for its first request.
    Verdict admit(Id id, const std::string& address);
    // Waiting for a request from now on (after an answer), or being answered.
    void waiting(Id id);
    void answering(Id id);
    void leave(Id id);

    std::size_t held() const { return held_.size(); }

private:
    struct Held {
        std::string address;
        bool waiting = true;
        std::uint64_t since = 0;  // when it began to wait, in the order of events
    };
    Id longestWaiting(const std::string* address) const;

    const std::size_t total_, perAddress_;
    std::map<Id, Held> held_;
    std::map<std::string, std::size_t> from_;
    std::uint64_t order_ = 0;
};

}  // namespace tc
