#pragma once
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace tc {

class Profile;

// Asks for a line at the program's terminal (or console) with its echo off;
// nothing when the program's input is not one (a pipe, a file).
using AskQuietly = std::function<std::optional<std::string>(const char* prompt)>;

// tailchime --web-password: reads the web page's password (at a terminal
// asked twice, without echo; otherwise the first line of `in`) and stores
// only its hash, as PASSWORD in [WEB] of the settings file.
// Returns the exit status: 0 stored, 1 not (told on err).
int setWebPassword(Profile& settings, std::istream& in, std::ostream& err, const AskQuietly& ask = {});

// tailchime --web-metrics-token: makes a new bearer token for scrapers of
// /metrics, prints it once on out and stores only its hash, as
// METRICS_TOKEN in [WEB]. Returns the exit status.
int makeMetricsToken(Profile& settings, std::ostream& out, std::ostream& err);

}  // namespace tc
