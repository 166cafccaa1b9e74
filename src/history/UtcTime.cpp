#include "history/UtcTime.h"

#include <cstdio>

namespace tc::history {

namespace {

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and
// back (eras of 400 years, March-based years).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

constexpr std::int64_t kDayMs = 86400000;

}  // namespace

std::string isoUtc(std::int64_t ms) {
    std::int64_t days = ms / kDayMs, rest = ms % kDayMs;
    if (rest < 0) {
        rest += kDayMs;
        --days;
    }
    std::int64_t y;
    int m, d;
    civilFromDays(days, y, m, d);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d.%03dZ", static_cast<long long>(y), m, d,
                  static_cast<int>(rest / 3600000), static_cast<int>(rest / 60000 % 60),
                  static_cast<int>(rest / 1000 % 60), static_cast<int>(rest % 1000));
    return text;
}

std::optional<std::int64_t> utcMidnight(const std::string& date) {
    int y, m, d;
    char extra;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) != 3) return std::nullopt;
    if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    const std::int64_t days = daysFromCivil(y, m, d);
    std::int64_t yy;
    int mm, dd;
    civilFromDays(days, yy, mm, dd);
    if (mm != m || dd != d) return std::nullopt;  // 2026-02-30
    return days * kDayMs;
}

}  // namespace tc::history
