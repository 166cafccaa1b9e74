#include "core/Transcript.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tc {

void Transcript::line(const std::string& rest) {
    const std::string whole = stamp_() + ' ' + rest;
    out_ << whole << '\n';
    followers_.tell(whole);
}

std::string Transcript::wallClock() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&seconds));
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms));
    return std::string(text) + millis;
}

std::string Transcript::quoted(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    q += '"';
    return q;
}

}  // namespace tc
