#include "web/Json.h"

#include <cstdio>

namespace tc::json {

std::string quote(const std::string& text) {
    std::string q = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': q += "\\\""; break;
            case '\\': q += "\\\\"; break;
            case '\n': q += "\\n"; break;
            case '\r': q += "\\r"; break;
            case '\t': q += "\\t"; break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", c);
                    q += esc;
                } else {
                    q += static_cast<char>(c);
                }
        }
    }
    return q + '"';
}

namespace {

class Reader {
public:
    explicit Reader(const std::string& t) : t_(t) {}

    void blanks() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    bool take(char c) {
        blanks();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool atEnd() {
        blanks();
        return i_ == t_.size();
    }
    bool word(const char* w) {
        std::string s(w);
        if (t_.compare(i_, s.size(), s) != 0) return false;
        i_ += s.size();
        return true;
    }

    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string s;
        while (i_ < t_.size()) {
            char c = t_[i_++];
            if (c == '"') return s;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                s += c;
                continue;
            }
            if (i_ >= t_.size()) return std::nullopt;
            char e = t_[i_++];
            const char* plain = "\"\\/bfnrt";
            const char* meant = "\"\\/\b\f\n\r\t";
            if (auto* p = std::char_traits<char>::find(plain, 8, e)) {
                s += meant[p - plain];
            } else if (e == 'u' && i_ + 4 <= t_.size()) {
                unsigned code = 0;
                for (int k = 0; k < 4; ++k) {
                    char h = t_[i_++];
                    code <<= 4;
                    if (h >= '0' && h <= '9') code |= h - '0';
                    else if (h >= 'a' && h <= 'f') code |= h - 'a' + 10;
                    else if (h >= 'A' && h <= 'F') code |= h - 'A' + 10;
                    else return std::nullopt;
                }
                if (code >= 0xD800 && code <= 0xDFFF) return std::nullopt;  // no surrogates in these bodies
                if (code < 0x80) {
                    s += static_cast<char>(code);
                } else if (code < 0x800) {
                    s += static_cast<char>(0xC0 | (code >> 6));
                    s += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    s += static_cast<char>(0xE0 | (code >> 12));
                    s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    s += static_cast<char>(0x80 | (code & 0x3F));
                }
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<Value> value() {
        blanks();
        if (i_ >= t_.size()) return std::nullopt;
        if (t_[i_] == '"') {
            auto s = string();
            if (!s) return std::nullopt;
            return Value(*s);
        }
        if (word("true")) return Value(true);
        if (word("false")) return Value(false);
        bool negative = t_[i_] == '-';
        if (negative) ++i_;
        std::size_t first = i_;
        std::int64_t n = 0;
        while (i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '9') {
            if (i_ - first >= 15) return std::nullopt;  // far beyond any value the API takes
            n = n * 10 + (t_[i_++] - '0');
        }
        if (i_ == first) return std::nullopt;
        if (i_ < t_.size() && (t_[i_] == '.' || t_[i_] == 'e' || t_[i_] == 'E')) return std::nullopt;
        return Value(negative ? -n : n);
    }

private:
    const std::string& t_;
    std::size_t i_ = 0;
};

}  // namespace

std::optional<Object> parseFlatObject(const std::string& text) {
    Reader r(text);
    Object object;
    if (!r.take('{')) return std::nullopt;
    if (r.take('}')) return r.atEnd() ? std::optional<Object>(object) : std::nullopt;
    do {
        r.blanks();
        auto name = r.string();
        if (!name || !r.take(':')) return std::nullopt;
        auto value = r.value();
        if (!value || !object.emplace(*name, *value).second) return std::nullopt;
    } while (r.take(','));
    if (!r.take('}') || !r.atEnd()) return std::nullopt;
    return object;
}

}  // namespace tc::json
