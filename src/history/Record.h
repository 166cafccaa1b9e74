#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace tc::history {

// What the station's history holds. Times are milliseconds since
// 1970-01-01 00:00 UTC.

// A stretch of traffic: the RF carrier up to down, or Internet audio on to
// off. An RF over counts when the anti-kerchunker let it earn a courtesy;
// one that does not is a kerchunk. Internet overs always count.
struct Over {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool internet = false;
    bool counted = false;
};

// An ident sent over the transmitter: CW (its text) or audio (its file).
// A courtesy follows traffic; the others are the operator's tests. One that
// did not render (an audio file that would not load, a host call that
// failed) ends where it started.
struct Ident {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool audio = false;
    std::string what;
    bool rendered = false;
    bool courtesy = false;
};

// The transmitter keyed, from key-up to release.
struct Keying {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

using Record = std::variant<Over, Ident, Keying>;

inline std::int64_t startOf(const Record& r) {
    return std::visit([](const auto& x) { return x.start; }, r);
}
inline std::int64_t endOf(const Record& r) {
    return std::visit([](const auto& x) { return x.end; }, r);
}

// Where finished records go. add() may be called from the logic thread and
// must never wait for a disk.
class Store {
public:
    virtual ~Store() = default;
    virtual void add(Record record) = 0;
};

// Reads the records that reach into [from, to): ended at or after `from`
// and started before `to`; each() hands them over one by one, keeping none.
class Reader {
public:
    virtual ~Reader() = default;
    virtual void each(std::int64_t from, std::int64_t to, const std::function<void(const Record&)>& take) = 0;
    std::vector<Record> between(std::int64_t from, std::int64_t to) {
        std::vector<Record> records;
        each(from, to, [&records](const Record& r) { records.push_back(r); });
        return records;
    }
};

}  // namespace tc::history
