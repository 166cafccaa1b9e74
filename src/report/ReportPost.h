#pragma once
#include <chrono>
#include <cstddef>
#include <string>

#include "report/StatsServer.h"

namespace tc {

// How much one post may cost the station. The whole post, name look-up and
// connect included, ends after `timeout` however the server behaves; at most
// `answerLimit` bytes of its answer are kept.
struct PostBounds {
    std::chrono::milliseconds timeout{10000};
    std::size_t answerLimit = 64 * 1024;
};

// The HTTP client of the usage report: one HTTP/1.0 POST of a form, straight
// to the server (no proxy, no cookies, nothing cached), with the form data
// exactly as given under "Content-Type: application/x-www-form-urlencoded".
// No event of the station runs until the request is on the wire and the
// server has begun its answer, as a handler may end the program; then the
// station's pending events run while the rest arrives. Never throws for the
// network: a post that fails gives what arrived, or nothing.
class ReportPost {
public:
    virtual ~ReportPost() = default;
    // Returns the answer's content.
    virtual std::string post(const StatsServer& server, const std::string& path, const std::string& form,
                             const PostBounds& bounds) = 0;
};

}  // namespace tc
