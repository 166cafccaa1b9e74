#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// One line of a station script that does something at a time.
struct Statement {
    enum class Kind { Carrier, Rx, Chat, Closing, Click, Type, Slide, Dialog, Close, Show, End };
    std::int64_t at = 0;
    Kind kind = Kind::End;
    bool on = false;         // carrier up / rx on
    std::string name;        // control name (click, type, slide, show)
    std::string text;        // chat text, typed text, dialog answer ("" = cancel)
    long long value = 0;     // slide value
    int line = 0;
};

struct Script {
    // The latest time a statement may have: the run goes on after the last
    // one, and the clock must hold that too.
    static constexpr std::int64_t kLatestTime = 1'000'000'000'000'000'000;

    std::optional<std::string> callsign;
    int callsignLine = 0;
    std::vector<Statement> statements;  // in time order
};

// The control names a script may use with each statement.
struct ScriptVocabulary {
    std::function<bool(std::string_view)> clickable, typeable, slidable, showable;
};

struct ScriptError {
    int line = 0;  // 0: the file as a whole
    std::string problem;
};

// Parses a station script. On failure returns nullopt and fills error.
std::optional<Script> parseScript(std::string_view text, const ScriptVocabulary& vocabulary, ScriptError& error);

}  // namespace tc
