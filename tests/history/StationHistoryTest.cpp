// The history as the station makes it: a script on virtual time with the
// history kept, then the file read back.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "program/Options.h"
#include "history/Csv.h"
#include "history/Tally.h"
#include "history/UtcTime.h"
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

template <class T>
std::vector<T> only(const std::vector<Record>& records) {
    std::vector<T> result;
    for (const Record& r : records)
        if (auto* x = std::get_if<T>(&r)) result.push_back(*x);
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

    auto at = [](std::int64_t ms) { return kStart + ms; };
    auto overs = only<Over>(records);
    std::vector<std::string> kinds;
    for (const Over& o : overs)
        kinds.push_back(std::string(o.internet ? "internet " : "rf ") + (o.counted ? "counted" : "kerchunk"));
    EXPECT_EQ(kinds, (std::vector<std::string>{"rf counted", "rf kerchunk", "rf kerchunk", "rf counted", "internet counted",
                                               "rf counted"}));
    ASSERT_EQ(overs.size(), 6u);
    EXPECT_EQ(overs[0].start, at(1000));
    EXPECT_EQ(overs[0].end, at(6050));
    EXPECT_EQ(overs[4].end, at(22000));

    auto idents = only<Ident>(records);
    kinds.clear();
    for (const Ident& i : idents) kinds.push_back(i.what + (i.courtesy ? " courtesy" : " test"));
    EXPECT_EQ(kinds, (std::vector<std::string>{"K courtesy", "K courtesy", "I courtesy", "K test"}));
    ASSERT_FALSE(idents.empty());
    EXPECT_TRUE(idents[0].rendered);
    EXPECT_EQ(idents[0].start, at(6500));
    EXPECT_GT(idents[0].end, idents[0].start);  // until the transmitter dropped

    auto keyings = only<Keying>(records);
    ASSERT_FALSE(keyings.empty());
    for (const Keying& k : keyings) EXPECT_LT(k.start, k.end);
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
    auto idents = only<Ident>(records);
    ASSERT_EQ(idents.size(), 1u);
    EXPECT_TRUE(idents[0].audio);
    EXPECT_FALSE(idents[0].rendered);
    EXPECT_EQ(idents[0].what, "/nowhere/none.wav");
    EXPECT_EQ(idents[0].start, idents[0].end);
}

TEST(StationHistory, ExportsAsCsv) {
    TempDir dir;
    runAndRead("callsign W1AW-R\nat 36000000 carrier up\nat 36005000 carrier down\nat 36010000 end\n", dir.path());
    ASSERT_EQ(tc::exportHistoryCsv(dir.path(), dir.file("h.csv")), 0);
    std::istringstream csv(readFile(dir.file("h.csv")));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "record,start,end,kind,outcome,purpose,text");
    std::getline(csv, line);
    EXPECT_EQ(line, "over,2026-10-01T10:00:00.000Z,2026-10-01T10:00:05.000Z,rf,counted,,");
    std::getline(csv, line);
    EXPECT_EQ(line.substr(0, 40), "ident,2026-10-01T10:00:05.000Z,2026-10-0");
    EXPECT_EQ(line.substr(line.size() - 25), ",cw,rendered,courtesy,\"K\"");
}
