#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace tc::json {

// A text as a JSON string, quotes included.
std::string quote(const std::string& text);

// The bodies the API takes are flat objects: names to strings, whole
// numbers or true/false, read strictly as JSON (nlohmann's reader).
// Anything else (nesting, fractions, null, duplicates, leading zeros,
// trailing bytes, bad escapes, text that is not UTF-8) is refused.
using Value = std::variant<std::string, std::int64_t, bool>;
using Object = std::map<std::string, Value>;
std::optional<Object> parseFlatObject(const std::string& text);

}  // namespace tc::json
