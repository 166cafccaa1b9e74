#include "report/UsageReport.h"

#include <utility>

namespace tc {

UsageReport::UsageReport(ReportPost& client, StatsServer server) : client_(client), server_(std::move(server)) {}

std::string UsageReport::SaveUserData(const std::string& callsign, const std::string& prog,
                                      const std::string& ver) {
    const std::string form = "Callsign=" + callsign + "&Program=" + prog + "&Ver=" + ver;
    client_.post(server_, kPath, form, PostBounds{});
    return form;
}

}  // namespace tc
