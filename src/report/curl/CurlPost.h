#pragma once
#include "report/ReportPost.h"

namespace tc {

class EventLoop;

// The report's client over libcurl's multi interface, worked from the logic
// thread: it waits on the network in short slices and, once the server has
// begun its answer, lets the station's pending events run between them.
class CurlPost final : public ReportPost {
public:
    explicit CurlPost(EventLoop& loop);
    ~CurlPost() override;
    CurlPost(const CurlPost&) = delete;
    CurlPost& operator=(const CurlPost&) = delete;

    std::string post(const StatsServer& server, const std::string& path, const std::string& form,
                     const PostBounds& bounds) override;

private:
    EventLoop& loop_;
    bool curlReady_;
};

}  // namespace tc

// The client as the module tailchime-report.so gives it: the program maps
// libcurl only while it posts the report.
extern "C" tc::ReportPost* tailchime_report_post(tc::EventLoop& loop);

namespace tc {

using ReportPostEntry = decltype(tailchime_report_post);
inline constexpr const char* kReportModule = "tailchime-report.so";
inline constexpr const char* kReportModuleEntry = "tailchime_report_post";

}  // namespace tc
