#include "report/UsageReport.h"

#include <utility>

namespace tc {

UsageReport::UsageReport(HttpTransport& transport, EventLoop& loop, StatsServer server)
    : http_(transport, loop), server_(std::move(server)) {}

std::string UsageReport::SaveUserData(const std::string& callsign, const std::string& prog,
                               const std::string& ver) {
    http_.OpenRequest(server_.host, kPath, server_.port);
    http_.AddField("Callsign", callsign);
    http_.AddField("Program", prog);
    http_.AddField("Ver", ver);
    http_.Send();
    return http_.body();
}

}  // namespace tc
