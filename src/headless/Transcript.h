#pragma once
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace tc {

// The runner's record of what the program made the station do: one line
// per event, "T WORD ARGS", T in milliseconds from the start.
class Transcript {
public:
    Transcript(std::ostream& out, std::function<std::int64_t()> clock) : out_(out), clock_(std::move(clock)) {}

    // Writes "T " + rest.
    void line(const std::string& rest);

    // A text in double quotes, with \" and \\ inside.
    static std::string quoted(const std::string& text);

private:
    std::ostream& out_;
    std::function<std::int64_t()> clock_;
};

}  // namespace tc
