#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tc::history {

// "2026-12-06T23:17:24.123Z" for ms since the epoch.
std::string isoUtc(std::int64_t ms);

// Midnight UTC of a "YYYY-MM-DD" date, in ms since the epoch; nothing for
// a text that is not such a date.
std::optional<std::int64_t> utcMidnight(const std::string& date);

}  // namespace tc::history
