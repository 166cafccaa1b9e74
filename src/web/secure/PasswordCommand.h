#pragma once
#include <iosfwd>
#include <string>

namespace tc {

// tailchime --web-password: reads the web page's password from standard
// input (on a terminal asked twice, without echo; otherwise its first
// line) and stores only its hash, as PASSWORD in [WEB] of tailchime.ini.
// Returns the exit status: 0 stored, 1 not (told on err).
int setWebPassword(const std::string& configDir, std::istream& in, std::ostream& err);

// tailchime --web-metrics-token: makes a new bearer token for scrapers of
// /metrics, prints it once on out and stores only its hash, as
// METRICS_TOKEN in [WEB]. Returns the exit status.
int makeMetricsToken(const std::string& configDir, std::ostream& out, std::ostream& err);

}  // namespace tc
