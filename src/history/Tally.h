#pragma once
#include <cstdint>
#include <vector>

#include "history/Record.h"

namespace tc::history {

// The station's counters over a stretch of time.
struct Tally {
    int overs = 0;       // overs that counted (RF past the anti-kerchunker, and Internet)
    int kerchunks = 0;   // RF key-ups too short to count
    int courtesies = 0;  // courtesy idents that went out
    std::int64_t txMs = 0;  // time the transmitter was keyed
};

struct Bucket {
    std::int64_t start = 0;
    std::int64_t end = 0;
    Tally tally;
};

constexpr std::int64_t kHourMs = 3600 * 1000;
constexpr std::int64_t kDayMs = 24 * kHourMs;

// `count` buckets `widthMs` wide, on whole widths since the epoch (UTC hours
// and days), the last one holding `nowMs`; oldest first.
std::vector<Bucket> lastBuckets(std::int64_t nowMs, std::int64_t widthMs, int count);

// Adds each record to the bucket it belongs to: an over and an ident to the
// one holding their end (where the over's fate and the ident's outcome are
// known), the transmitter's time to every bucket it overlaps, cut at the
// edges. Records outside every bucket are left out.
void tallyInto(std::vector<Bucket>& buckets, const std::vector<Record>& records);
void tallyInto(std::vector<Bucket>& buckets, const Record& record);

}  // namespace tc::history
