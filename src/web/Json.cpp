#include "web/Json.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <set>

namespace tc::json {

std::string quote(const std::string& text) {
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<Object> parseFlatObject(const std::string& text) {
    using nlohmann::json;
    std::set<std::string> names;
    bool twice = false;
    auto duplicates = [&](int depth, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::key && depth == 1 && !names.insert(parsed.get<std::string>()).second)
            twice = true;
        return true;
    };
    const json parsed = json::parse(text, duplicates, false);
    if (parsed.is_discarded() || twice || !parsed.is_object()) return std::nullopt;
    Object object;
    for (const auto& [name, value] : parsed.items()) {
        if (value.is_string())
            object.emplace(name, value.get<std::string>());
        else if (value.is_boolean())
            object.emplace(name, value.get<bool>());
        else if (value.is_number_integer() && !value.is_number_unsigned())
            object.emplace(name, value.get<std::int64_t>());
        else if (value.is_number_unsigned() &&
                 value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            object.emplace(name, static_cast<std::int64_t>(value.get<std::uint64_t>()));
        else
            return std::nullopt;  // nested, a fraction, null, or too large
    }
    return object;
}

}  // namespace tc::json
