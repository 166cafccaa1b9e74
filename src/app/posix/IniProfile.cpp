#include "app/IniProfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tc {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxValueChars = 255;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

struct Line {
    std::string_view text;  // without its line break
    std::string_view eol;   // "\r\n", "\n", "\r" or "" on a last line without one
};

// Lines of the file as views into it. A UTF-8 byte-order mark that an editor
// put in front is not part of the first line's text (it stays in the file).
std::vector<Line> splitLines(std::string_view all) {
    if (all.substr(0, kUtf8Bom.size()) == kUtf8Bom) all.remove_prefix(kUtf8Bom.size());
    std::vector<Line> lines;
    while (!all.empty()) {
        size_t next = all.find('\n');
        next = next == std::string_view::npos ? all.size() : next + 1;
        size_t end = next;
        if (end > 0 && all[end - 1] == '\n') --end;
        if (end > 0 && all[end - 1] == '\r') --end;
        lines.push_back({all.substr(0, end), all.substr(end, next - end)});
        all.remove_prefix(next);
    }
    return lines;
}

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
        size_t close = text.find(']');
        size_t length = close == std::string_view::npos ? std::string_view::npos : close - 1;
        return {Kind::Section, trim(text.substr(1, length)), {}};
    }
    size_t eq = text.find('=');
    if (eq == std::string_view::npos) return {};
    return {Kind::Key, trim(text.substr(0, eq)), trim(text.substr(eq + 1))};
}

// Where a key stands, or would stand, in the file.
struct Place {
    std::optional<size_t> section;  // header line of the first matching section
    std::optional<size_t> key;      // first matching key line in that section
    size_t lastFilled = 0;          // last non-blank line of that section
};

Place locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Place place;
    for (size_t i = 0; i < lines.size(); ++i) {
        Entry e = classify(lines[i].text);
        if (e.kind == Kind::Section) {
            if (place.section) break;
            if (sameName(e.name, section)) place.section = place.lastFilled = i;
            continue;
        }
        if (!place.section) continue;
        if (e.kind == Kind::Key && sameName(e.name, key)) {
            place.key = i;
            break;
        }
        if (!trim(lines[i].text).empty()) place.lastFilled = i;
    }
    return place;
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The first n characters, counting a UTF-8 sequence as one character so that
// a cut never leaves half a character behind.
std::string_view firstChars(std::string_view v, size_t n) {
    size_t count = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        bool startsChar = (static_cast<unsigned char>(v[i]) & 0xC0) != 0x80;
        if (startsChar && count++ == n) return v.substr(0, i);
    }
    return v;
}

// The whole file; "" when there is none. Nothing when a file is there but
// cannot be read, so that a write never replaces what it could not see.
std::optional<std::string> readFile(const fs::path& path) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return std::string();
    if (ec || status.type() != fs::file_type::regular) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

// A section, key and value that make exactly one header and one key line,
// and read back as the same names.
bool storable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || key.empty()) return false;
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) return false;
    if (section.find(']') != section.npos || key.find('=') != key.npos) return false;
    return key.front() != ';' && key.front() != '#' && key.front() != '[';
}

// Puts the new text in place in one step: a crash or a full disk leaves
// either the old file or the new one, never a mix.
bool replaceFile(const fs::path& path, const std::string& bytes, bool existed) {
    std::error_code ec;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), ec);
        if (ec) return false;
    }
    if (existed) {
        // A settings file the operator made read-only stays as it is.
        std::ofstream probe(path, std::ios::binary | std::ios::app);
        if (!probe) return false;
    }
    fs::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return false;
        }
    }
    if (existed) fs::permissions(temp, fs::status(path, ec).permissions(), ec);
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)) {}

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
    std::optional<std::string> bytes = readFile(path_);
    if (!bytes) return defaultValue;
    std::vector<Line> lines = splitLines(*bytes);
    Place place = locate(lines, trim(section), trim(key));
    if (!place.key) return defaultValue;
    std::string_view value = classify(lines[*place.key].text).value;
    return std::string(firstChars(unquote(value), kMaxValueChars));
}

bool IniProfile::WriteString(const std::string& sectionName, const std::string& keyName,
                             const std::string& value) {
    std::string_view section = trim(sectionName);
    std::string_view key = trim(keyName);
    if (!storable(section, key, value)) return false;
    std::error_code ec;
    const bool existed = fs::exists(path_, ec);
    std::optional<std::string> old = readFile(path_);
    if (!old) return false;

    std::vector<Line> lines = splitLines(*old);
    std::string eol = "\n";
    for (const Line& line : lines) {
        if (line.eol.empty()) continue;
        if (line.eol == "\r\n") eol = "\r\n";
        break;
    }
    const std::string keyLine = std::string(key) + "=" + value;
    auto offset = [&](std::string_view part) { return static_cast<size_t>(part.data() - old->data()); };

    std::string updated = *old;
    Place place = locate(lines, section, key);
    if (place.key) {
        const Line& line = lines[*place.key];
        updated.replace(offset(line.text), line.text.size(), keyLine);
    } else if (place.section) {
        const Line& last = lines[place.lastFilled];
        const std::string insert = (last.eol.empty() ? eol : "") + keyLine + eol;
        updated.insert(offset(last.eol) + last.eol.size(), insert);
    } else {
        if (!lines.empty() && lines.back().eol.empty()) updated += eol;
        updated += "[" + std::string(section) + "]" + eol + keyLine + eol;
    }
    return replaceFile(path_, updated, existed);
}

}  // namespace tc
