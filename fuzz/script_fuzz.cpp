// Any bytes as a station script: it parses or is refused with a line and a
// problem, and what parses keeps its statements in time order within the
// clock's range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "program/headless/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto any = [](std::string_view name) { return name.size() < 12 && name.find('Q') == std::string_view::npos; };
    tc::ScriptVocabulary vocabulary{any, any, any, any};
    tc::ScriptError error;
    auto script = tc::parseScript(std::string_view(reinterpret_cast<const char*>(data), size), vocabulary, error);
    if (!script) {
        if (error.problem.empty()) std::abort();
        return 0;
    }
    std::int64_t last = 0;
    for (const auto& s : script->statements) {
        if (s.at < last || s.at > tc::Script::kLatestTime) std::abort();
        last = s.at;
    }
    return 0;
}
