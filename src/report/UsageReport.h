#pragma once
#include <string>

#include "report/ReportPost.h"
#include "report/StatsServer.h"

namespace tc {

// The usage report: once per run, at the end of start-up, the station tells
// the statistics server its call sign, the program and its version. The
// answer is thrown away and no failure is ever shown.
class UsageReport {
public:
    static constexpr const char* kPath = "/EP/stats.php";

    explicit UsageReport(ReportPost& client, StatsServer server = {});

    // Posts "Callsign=...&Program=...&Ver=..." and waits for the answer, the
    // texts as they are: the server takes nothing encoded. Gives back the
    // form data it posted, whatever the server did.
    std::string SaveUserData(const std::string& callsign, const std::string& prog, const std::string& ver);

private:
    ReportPost& client_;
    StatsServer server_;
};

}  // namespace tc
