#pragma once
#include <iosfwd>
#include <string>

namespace tc {

// tailchime --web-password: reads the web page's password from standard
// input (on a terminal asked twice, without echo; otherwise its first
// line) and stores only its hash, as PASSWORD in [WEB] of tailchime.ini.
// Returns the exit status: 0 stored, 1 not (told on err).
int setWebPassword(const std::string& configDir, std::istream& in, std::ostream& err);

}  // namespace tc
