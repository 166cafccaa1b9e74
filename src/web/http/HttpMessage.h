#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "web/EventHub.h"

namespace tc {

// A request as the page's routes see it, whatever carried it: its header
// names in lower case, its query apart from its path.
struct HttpRequest {
    std::string method, path, query, body;
    std::string peer;  // the address of the connection
    std::vector<std::pair<std::string, std::string>> headers;

    // The first value of a header ("" when there is none).
    std::string header(std::string_view name) const {
        for (const auto& [n, v] : headers)
            if (n == name) return v;
        return "";
    }
    bool has(std::string_view name) const {
        for (const auto& h : headers)
            if (h.first == name) return true;
        return false;
    }
    // A query parameter, as it stands (the page's are plain numbers).
    std::optional<std::string> param(std::string_view name) const {
        std::size_t at = 0;
        while (at <= query.size()) {
            std::size_t end = query.find('&', at);
            if (end == std::string::npos) end = query.size();
            std::string_view pair(query.data() + at, end - at);
            if (pair.substr(0, pair.find('=')) == name)
                return std::string(pair.find('=') == std::string_view::npos ? "" : pair.substr(pair.find('=') + 1));
            at = end + 1;
        }
        return std::nullopt;
    }
};

// What answers it: a body, or an event stream that goes on until `feed`
// says it ends.
struct HttpReply {
    int status = 200;
    std::string type = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;

    // For an event stream: what is new to send ("" when nothing is), or
    // nothing once the stream ends. `first` on the first call, `ping`
    // when the client has heard nothing for a while.
    std::function<std::optional<std::string>(bool first, bool ping)> feed;
    std::shared_ptr<EventHub::Stream> stream;  // wakes the connection when there is news
};

// An answer is worked out on the server's own thread, whoever finished
// the work that led to it; each request gets one answer, the first given.
using Answer = std::function<HttpReply()>;
using Reply = std::function<void(Answer)>;

}  // namespace tc
