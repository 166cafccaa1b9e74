#include "history/Tally.h"

#include <algorithm>

namespace tc::history {

std::vector<Bucket> lastBuckets(std::int64_t nowMs, std::int64_t widthMs, int count) {
    std::vector<Bucket> buckets;
    if (count <= 0 || widthMs <= 0) return buckets;
    const std::int64_t lastStart = nowMs - ((nowMs % widthMs) + widthMs) % widthMs;
    for (int i = count - 1; i >= 0; --i) {
        Bucket b;
        b.start = lastStart - i * widthMs;
        b.end = b.start + widthMs;
        buckets.push_back(b);
    }
    return buckets;
}

namespace {

Bucket* holding(std::vector<Bucket>& buckets, std::int64_t at) {
    for (Bucket& b : buckets)
        if (at >= b.start && at < b.end) return &b;
    return nullptr;
}

}  // namespace

void tallyInto(std::vector<Bucket>& buckets, const Record& r) {
    if (const auto* over = std::get_if<Over>(&r)) {
        if (Bucket* b = holding(buckets, over->end)) (over->counted ? b->tally.overs : b->tally.kerchunks)++;
    } else if (const auto* ident = std::get_if<Ident>(&r)) {
        if (!ident->courtesy || !ident->rendered) return;
        if (Bucket* b = holding(buckets, ident->end)) b->tally.courtesies++;
    } else if (const auto* keying = std::get_if<Keying>(&r)) {
        for (Bucket& b : buckets) {
            const std::int64_t from = std::max(keying->start, b.start);
            const std::int64_t to = std::min(keying->end, b.end);
            if (to > from) b.tally.txMs += to - from;
        }
    }
}

void tallyInto(std::vector<Bucket>& buckets, const std::vector<Record>& records) {
    for (const Record& r : records) tallyInto(buckets, r);
}

}  // namespace tc::history
