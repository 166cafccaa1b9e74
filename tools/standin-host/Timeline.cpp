#include "Timeline.h"

#include <fstream>
#include <sstream>

namespace standin {

std::optional<tc::Script> loadTimeline(const std::string& path, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = path + ": cannot read the timeline";
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    auto none = [](std::string_view) { return false; };
    tc::ScriptError error;
    auto script = tc::parseScript(text.str(), {none, none, none, none}, error);
    if (!script) {
        problem = path + ":" + std::to_string(error.line) + ": " + error.problem;
        return std::nullopt;
    }
    using K = tc::Statement::Kind;
    for (const tc::Statement& s : script->statements) {
        if (s.kind == K::Carrier || s.kind == K::Rx || s.kind == K::Chat || s.kind == K::Closing || s.kind == K::End)
            continue;
        problem = path + ":" + std::to_string(s.line) + ": only the host's side (carrier, rx, chat, closing, end) "
                                                         "belongs in a host's timeline";
        return std::nullopt;
    }
    return script;
}

}  // namespace standin
