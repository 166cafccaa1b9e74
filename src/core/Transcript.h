#pragma once
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "core/Followers.h"

namespace tc {

// The runner's record of what the program made the station do: one line
// per event, "T WORD ARGS", T in milliseconds from the start.
class Transcript {
public:
    Transcript(std::ostream& out, std::function<std::int64_t()> clock)
        : out_(out), stamp_([clock = std::move(clock)] { return std::to_string(clock()); }) {}
    // A log with another stamp in place of the milliseconds (wall-clock time).
    Transcript(std::ostream& out, std::function<std::string()> stamp) : out_(out), stamp_(std::move(stamp)) {}

    // Followers are told every line written, stamp included (a window or a
    // page showing the log).
    using Subscription = Followers<const std::string&>::Subscription;
    [[nodiscard]] Subscription follow(std::function<void(const std::string& line)> f) {
        return followers_.subscribe(std::move(f));
    }

    // Writes "T " + rest.
    void line(const std::string& rest);

    // A text in double quotes, with \" and \\ inside.
    static std::string quoted(const std::string& text);

    // The local wall-clock time, "2026-12-06 05:10:11.123", for logs.
    static std::string wallClock();

private:
    std::ostream& out_;
    std::function<std::string()> stamp_;
    Followers<const std::string&> followers_;
};

}  // namespace tc
