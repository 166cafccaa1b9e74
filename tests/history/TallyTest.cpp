#include <gtest/gtest.h>

#include "history/Tally.h"
#include "history/UtcTime.h"

using namespace tc::history;

TEST(Tally, BucketsLieOnWholeHoursAndTheTransmitterIsCutAtTheirEdges) {
    const std::int64_t now = 10 * kHourMs + 1234;
    auto hours = lastBuckets(now, kHourMs, 3);
    ASSERT_EQ(hours.size(), 3u);
    EXPECT_EQ(hours[0].start, 8 * kHourMs);
    EXPECT_EQ(hours[2].end, 11 * kHourMs);

    std::vector<Record> records = {
        Keying{9 * kHourMs - 60000, 9 * kHourMs + 30000},                // 60 s before the first bucket
        Over{9 * kHourMs - 1000, 9 * kHourMs + 1000, false, true},        // counts where it ended
        Over{10 * kHourMs, 10 * kHourMs + 500, false, false},
        Ident{9 * kHourMs + 2000, 9 * kHourMs + 3000, true, "RF.wav", true, true},
        Ident{9 * kHourMs + 4000, 9 * kHourMs + 4000, true, "RF.wav", false, true},  // failed
        Ident{9 * kHourMs + 5000, 9 * kHourMs + 6000, false, "K", true, false},     // a test
        Over{7 * kHourMs, 7 * kHourMs + 1, true, true},                               // before them all
    };
    tallyInto(hours, records);
    EXPECT_EQ(hours[0].tally.txMs, 60000);
    EXPECT_EQ(hours[1].tally.txMs, 30000);
    EXPECT_EQ(hours[1].tally.overs, 1);
    EXPECT_EQ(hours[0].tally.overs, 0);
    EXPECT_EQ(hours[2].tally.kerchunks, 1);
    EXPECT_EQ(hours[1].tally.courtesies, 1);
}

TEST(Tally, UtcTimesAndDates) {
    EXPECT_EQ(isoUtc(0), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(isoUtc(1790812800000 + 3723004), "2026-10-01T01:02:03.004Z");
    EXPECT_EQ(utcMidnight("2026-10-01"), 1790812800000);
    EXPECT_EQ(utcMidnight("2024-02-29"), 1709164800000);
    EXPECT_FALSE(utcMidnight("2026-02-30"));
    EXPECT_FALSE(utcMidnight("2026-1-01"));
    EXPECT_FALSE(utcMidnight("yesterday"));
}
