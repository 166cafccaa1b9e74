// The history as the station makes it: a script on virtual time with the
// history kept, then the file read back.
#include <gtest/gtest.h>

#include <limits>

#include "program/Options.h"
#include "history/Csv.h"
#include "history/sqlite/HistoryFile.h"
#include "program/supervision/Supervision.h"
#include "support/ScriptRun.h"

using namespace tc::history;

namespace {

constexpr std::int64_t kStart = 1790812800000;  // 2026-10-01T00:00:00Z

std::vector<Record> runAndRead(const std::string& script, const std::string& dir) {
    tc::Options options;
    options.history = true;
    options.historyStart = "2026-10-01";
    std::string problem;
    ScriptOptions o;
    o.supervise = tc::supervisionFor(options, dir, problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(runScript(script, dir, o).status, 0);
    HistoryFile file(dir + "/history.sqlite");
    auto records = file.between(std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
    std::stable_sort(records.begin(), records.end(), [](auto& a, auto& b) { return startOf(a) < startOf(b); });
    return records;
}

std::string text(const Over& o) {
    return std::string(o.internet ? "internet " : "rf ") + (o.counted ? "counted" : "kerchunk");
}
std::string text(const Ident& i) {
    return std::string(i.audio ? "audio " : "cw ") + i.what + (i.courtesy ? " courtesy" : " test") +
           (i.rendered ? "" : " failed");
}
std::string text(const Keying&) { return "keyed"; }

// The records of one kind, "what start-end" each, in milliseconds from the start.
template <class T>
std::vector<std::string> texts(const std::vector<Record>& records) {
    std::vector<std::string> result;
    for (const Record& r : records)
        if (auto* x = std::get_if<T>(&r))
            result.push_back(text(*x) + " " + std::to_string(x->start - kStart) + "-" + std::to_string(x->end - kStart));
    return result;
}

}  // namespace

TEST(StationHistory, OversKerchunksAndIdentsAsTheStationDecidesThem) {
    TempDir dir;
    auto records = runAndRead(
        "callsign W1AW-R\n"
        "at 1000 carrier up\n"     // counted: still up when the anti-kerchunker looks
        "at 6050 carrier down\n"
        "at 8000 carrier up\n"     // a kerchunk
        "at 9500 carrier down\n"
        "at 11000 carrier up\n"    // drops and comes back inside the anti-kerchunker time:
        "at 11500 carrier down\n"  // the first part is a kerchunk, the second counts
        "at 12000 carrier up\n"
        "at 16000 carrier down\n"
        "at 20000 rx on\n"
        "at 22000 rx off\n"
        "at 25000 click Command10\n"  // the CW Test button: an ident, not a courtesy
        "at 27000 click Command15\n"  // switched off: a counted over earns nothing
        "at 28000 carrier up\n"
        "at 33000 carrier down\n"
        "at 40000 end\n",
        dir.path());

    EXPECT_EQ(texts<Over>(records), (std::vector<std::string>{"rf counted 1000-6050", "rf kerchunk 8000-9500",
                                                               "rf kerchunk 11000-11500", "rf counted 12000-16000",
                                                               "internet counted 20000-22000", "rf counted 28000-33000"}));
    // Each ident until the transmitter dropped.
    EXPECT_EQ(texts<Ident>(records), (std::vector<std::string>{"cw K courtesy 6500-7100", "cw K courtesy 16000-16600",
                                                                "cw I courtesy 22000-22200", "cw K test 25000-25600"}));
    EXPECT_EQ(texts<Keying>(records), (std::vector<std::string>{"keyed 6500-7100", "keyed 16000-16600",
                                                                 "keyed 20000-22200", "keyed 25000-25600"}));
}

TEST(StationHistory, AnAudioIdentThatDoesNotRenderIsRecordedAsFailed) {
    TempDir dir;
    auto records = runAndRead(
        "callsign W1AW-R\n"
        "at 500 type RFTone /nowhere/none.wav\n"
        "at 600 click Picture13\n"
        "at 1000 carrier up\n"
        "at 5000 carrier down\n"
        "at 9000 end\n",
        dir.path());
    EXPECT_EQ(texts<Ident>(records), std::vector<std::string>{"audio /nowhere/none.wav courtesy failed 5000-5000"});
}

TEST(StationHistory, ExportsAsCsv) {
    TempDir dir;
    runAndRead("callsign W1AW-R\nat 36000000 carrier up\nat 36005000 carrier down\nat 36010000 end\n", dir.path());
    ASSERT_EQ(tc::exportHistoryCsv(dir.path(), dir.file("h.csv")), 0);
    EXPECT_EQ(readFile(dir.file("h.csv")),
              "record,start,end,kind,outcome,purpose,text\n"
              "over,2026-10-01T10:00:00.000Z,2026-10-01T10:00:05.000Z,rf,counted,,\n"
              "ident,2026-10-01T10:00:05.000Z,2026-10-01T10:00:05.600Z,cw,rendered,courtesy,\"K\"\n"
              "keying,2026-10-01T10:00:05.000Z,2026-10-01T10:00:05.600Z,,,,\n");
}
