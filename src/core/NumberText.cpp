#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/RuntimeError.h"

namespace tc {

namespace {

std::string generalText(double value, int digits) {
    if (value == 0.0 || std::isnan(value)) return "0";  // also turns -0 into "0"
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    return std::string(buf, res.ptr);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string numberText(double value) { return generalText(value, 15); }

// The shortest decimal that reads back as the same single, never in
// exponent form (which the reader refuses): "300", "0.1", "12345678".
std::string singleText(float value) {
    if (value == 0.0f || std::isnan(value)) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

double numberValue(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::string_view t = text.substr(b, e - b);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    size_t digitsStart = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    size_t intDigits = i - digitsStart;
    size_t fracDigits = 0;
    if (i < t.size() && t[i] == '.') {
        ++i;
        size_t fracStart = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        fracDigits = i - fracStart;
    }
    if (intDigits + fracDigits == 0 || i != t.size()) throw err::typeMismatch();
    double value = 0;
    std::string body = std::string(t.substr(digitsStart, i - digitsStart));
    if (body.front() == '.') body.insert(body.begin(), '0');
    if (std::from_chars(body.data(), body.data() + body.size(), value).ec != std::errc{})
        throw err::overflow();
    return negative ? -value : value;
}

long long roundedWhole(double value) {
    double v = std::nearbyint(value);  // default rounding: half to even
    if (!(std::fabs(v) < 9.0e18)) throw err::overflow();
    return static_cast<long long>(v);
}

long long wholeNumber(std::string_view text) { return roundedWhole(numberValue(text)); }

bool booleanValue(std::string_view text) {
    auto equalsNoCase = [&](std::string_view word) {
        size_t b = 0, e = text.size();
        while (b < e && isBlank(text[b])) ++b;
        while (e > b && isBlank(text[e - 1])) --e;
        if (e - b != word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k) {
            char c = text[b + k];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != word[k]) return false;
        }
        return true;
    };
    if (equalsNoCase("true")) return true;
    if (equalsNoCase("false")) return false;
    return numberValue(text) != 0.0;
}

std::string FormatTime(double seconds) {
    if (!(seconds >= 1.0)) return "00:00:00";  // below one second, or not a number
    double s = std::floor(seconds);
    if (s >= 25.0 * 3600.0) return "24:59:59";
    long long whole = static_cast<long long>(s);
    long long h = whole / 3600;
    long long m = (whole - 3600 * h) / 60;
    long long c = whole - 60 * (whole / 60);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", h, m, c);
    return buf;
}

}  // namespace tc
