#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "alerts/AlertWatch.h"
#include "alerts/Webhook.h"
#include "core/Mailbox.h"
#include "core/Transcript.h"
#include "history/Recorder.h"
#include "history/sqlite/HistoryFile.h"
#include "program/Form21.h"
#include "program/supervision/Supervision.h"
#include "web/EventHub.h"
#include "web/Metrics.h"
#include "web/http/WebServer.h"

namespace tc {

inline std::int64_t wallMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// What follows the station, declared in the order they start; they stop
// the other way round.
struct Supervision::Parts {
    Parts(Form21& f, EventLoop& l, Transcript& t) : form(f), loop(l), log(t) {}

    Form21& form;
    EventLoop& loop;
    Transcript& log;
    std::unique_ptr<history::HistoryFile> file;
    std::unique_ptr<history::Recorder> recorder;
    std::unique_ptr<Mailbox> mailbox;  // to the logic thread, from the others
    std::unique_ptr<alerts::AlertWatch> alerts;
    std::unique_ptr<Webhook> webhook;
    std::unique_ptr<Metrics> metrics;
    alerts::AlertWatch::Subscription alertsTold;
    EventHub hub;
    StationEvents::Subscription viewFollows;
    alerts::AlertWatch::Subscription alertsOnPage;
    std::unique_ptr<WebServer> server;
    std::unique_ptr<Watch> bridge;  // the broker bridge, where the build has one

    // Today's counts as they stand once the history has written what it was
    // handed (never on the station's thread: it may wait for the disk).
    history::Tally today() {
        if (file) file->flush();
        return tally(history::kDayMs);
    }
    history::Tally tally(std::int64_t widthMs) {
        auto bucket = buckets(widthMs, 1);
        return bucket.empty() ? history::Tally{} : bucket.front().tally;
    }
    std::vector<history::Bucket> buckets(std::int64_t widthMs, int count) {
        auto result = history::lastBuckets(wallMs(), widthMs, count);
        if (file && !result.empty())
            file->each(result.front().start, result.back().end,
                       [&result](const history::Record& r) { history::tallyInto(result, r); });
        return result;
    }
};

}  // namespace tc
