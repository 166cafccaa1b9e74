#include "core/IniText.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace tc {

namespace {

constexpr std::size_t kMaxValueChars = 255;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// One line: its text [begin, end), its line break [end, next).
struct Line {
    std::size_t begin, end, next;
    bool hasBreak() const { return next > end; }
};

// The lines of a text, one at a time. A UTF-8 byte-order mark that an editor
// put in front is not part of the first line's text (it stays in the file).
class Lines {
public:
    explicit Lines(std::string_view all) : all_(all) {
        if (all_.substr(0, kUtf8Bom.size()) == kUtf8Bom) pos_ = kUtf8Bom.size();
    }
    bool next(Line& line) {
        if (pos_ >= all_.size()) return false;
        std::size_t end = all_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) end = all_.size();
        std::size_t next = end;
        if (next < all_.size()) next += all_.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        line = {pos_, end, next};
        pos_ = next;
        return true;
    }

private:
    std::string_view all_;
    std::size_t pos_ = 0;
};

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;
};

Entry classify(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.front() == ';' || text.front() == '#') return {};
    if (text.front() == '[') {
        std::size_t close = text.find(']');
        std::size_t length = close == std::string_view::npos ? std::string_view::npos : close - 1;
        return {Kind::Section, trim(text.substr(1, length)), {}};
    }
    std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return {};
    return {Kind::Key, trim(text.substr(0, eq)), trim(text.substr(eq + 1))};
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The first n characters, counting a UTF-8 sequence as one character so that
// a cut never leaves half a character behind.
std::string_view firstChars(std::string_view v, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        bool startsChar = (static_cast<unsigned char>(v[i]) & 0xC0) != 0x80;
        if (startsChar && count++ == n) return v.substr(0, i);
    }
    return v;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

// The file's own line break: the first one it has, "\n" when it has none.
std::string lineBreakOf(std::string_view all) {
    std::size_t at = all.find_first_of("\r\n");
    if (at == std::string_view::npos) return "\n";
    if (all.compare(at, 2, "\r\n") == 0) return "\r\n";
    return std::string(1, all[at]);
}

}  // namespace

IniText::IniText(std::string bytes) : bytes_(std::move(bytes)) {}

const IniText::Section& IniText::section(std::string_view name) const {
    std::string wanted = lowered(trim(name));
    auto found = sections_.find(wanted);
    if (found != sections_.end()) return found->second;
    Section s;
    Lines lines(bytes_);
    for (Line line; lines.next(line);) {
        Entry e = classify(std::string_view(bytes_).substr(line.begin, line.end - line.begin));
        if (e.kind == Kind::Section) {
            if (s.header) break;
            if (lowered(e.name) == wanted) {
                s.header = s.end = line.next;
                s.endHasBreak = line.hasBreak();
            }
            continue;
        }
        if (!s.header) continue;
        if (e.kind == Kind::Key) s.keys.try_emplace(lowered(e.name), line.begin, line.end);
        if (!trim(std::string_view(bytes_).substr(line.begin, line.end - line.begin)).empty()) {
            s.end = line.next;
            s.endHasBreak = line.hasBreak();
        }
    }
    return sections_.emplace(std::move(wanted), std::move(s)).first->second;
}

std::optional<std::string> IniText::value(std::string_view sectionName, std::string_view key) const {
    const Section& s = section(sectionName);
    auto found = s.keys.find(lowered(trim(key)));
    if (found == s.keys.end()) return std::nullopt;
    auto [begin, end] = found->second;
    std::string_view v = classify(std::string_view(bytes_).substr(begin, end - begin)).value;
    return std::string(firstChars(unquote(v), kMaxValueChars));
}

std::string IniText::with(const std::vector<IniWrite>& writes) const {
    const std::string eol = lineBreakOf(bytes_);
    // Lines to rewrite in place, by where they stand; new key lines, by the
    // place they go (the end of their section); new sections, in order.
    std::map<std::size_t, std::pair<std::size_t, std::string>> rewrites;
    std::map<std::size_t, std::vector<std::pair<std::string, std::string>>> additions;
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> newSections;

    auto setIn = [](std::vector<std::pair<std::string, std::string>>& lines, std::string_view key, std::string line) {
        auto same = std::find_if(lines.begin(), lines.end(), [&](auto& l) { return l.first == lowered(key); });
        if (same != lines.end())
            same->second = std::move(line);
        else
            lines.emplace_back(lowered(key), std::move(line));
    };
    for (const IniWrite& w : writes) {
        std::string_view sectionName = trim(w.section), key = trim(w.key);
        std::string line = std::string(key) + "=" + w.value;
        const Section& s = section(sectionName);
        if (!s.header) {
            auto same = std::find_if(newSections.begin(), newSections.end(),
                                     [&](auto& n) { return lowered(n.first) == lowered(sectionName); });
            if (same == newSections.end()) same = newSections.insert(newSections.end(), {std::string(sectionName), {}});
            setIn(same->second, key, std::move(line));
        } else if (auto found = s.keys.find(lowered(key)); found != s.keys.end()) {
            rewrites[found->second.first] = {found->second.second, std::move(line)};
        } else {
            setIn(additions[s.end], key, std::move(line));
        }
    }

    std::string out;
    out.reserve(bytes_.size() + 64 * writes.size());
    std::size_t cursor = 0;
    auto copyTo = [&](std::size_t pos) {
        out.append(bytes_, cursor, pos - cursor);
        cursor = pos;
    };
    auto rewrite = rewrites.begin();
    auto addition = additions.begin();
    while (rewrite != rewrites.end() || addition != additions.end()) {
        // A rewrite of the line that ends where lines are added comes first.
        if (addition == additions.end() || (rewrite != rewrites.end() && rewrite->first < addition->first)) {
            copyTo(rewrite->first);
            out += rewrite->second.second;
            cursor = rewrite->second.first;
            ++rewrite;
            continue;
        }
        copyTo(addition->first);
        bool atLineStart = out.empty() || out.back() == '\n' || out.back() == '\r';
        if (!atLineStart) out += eol;
        for (auto& l : addition->second) out += l.second + eol;
        // A lone CR before an LF of the file would join with it into one break.
        if (out.back() == '\r' && cursor < bytes_.size() && bytes_[cursor] == '\n') out += '\n';
        ++addition;
    }
    copyTo(bytes_.size());
    for (auto& [name, lines] : newSections) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += eol;
        out += "[" + name + "]" + eol;
        for (auto& l : lines) out += l.second + eol;
    }
    return out;
}

bool IniText::storable(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (section.empty() || key.empty()) return false;
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) return false;
    if (section.find(']') != section.npos || key.find('=') != key.npos) return false;
    return key.front() != ';' && key.front() != '#' && key.front() != '[';
}

}  // namespace tc
