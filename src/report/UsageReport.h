#pragma once
#include <functional>
#include <string>

#include "report/Http.h"
#include "report/StatsServer.h"

namespace tc {

class EventLoop;
class HttpTransport;

// The usage report: once per run, at the end of start-up, the station tells
// the statistics server its call sign, the program and its version. The
// answer is thrown away and no failure is ever shown.
class UsageReport {
public:
    static constexpr const char* kPath = "/EP/stats.php";

    UsageReport(HttpTransport& transport, EventLoop& loop, StatsServer server = {});

    // Posts the three fields and waits for the answer; pending events of the
    // station run while it waits. Gives back the form data it posted,
    // whatever the server did.
    std::string SaveUserData(const std::string& callsign, const std::string& prog, const std::string& ver);

private:
    Http http_;
    StatsServer server_;
};

}  // namespace tc
