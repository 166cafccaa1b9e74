#include "headless/Transcript.h"

namespace tc {

void Transcript::line(const std::string& rest) { out_ << clock_() << ' ' << rest << '\n'; }

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
