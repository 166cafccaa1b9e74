#include "program/headless/Script.h"

#include <charconv>

namespace tc {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The next blank-separated word of s, removed from s.
std::string_view nextWord(std::string_view& s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    size_t end = 0;
    while (end < s.size() && !isBlank(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

// What follows the single blank after a keyword: a text as written.
std::string restAsWritten(std::string_view s) {
    if (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && s.back() == '\r') s.remove_suffix(1);
    return std::string(s);
}

// Cuts a trailing comment: "#" at the start or after a blank.
std::string_view withoutComment(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '#' && (i == 0 || isBlank(s[i - 1]))) return s.substr(0, i);
    return s;
}

template <class Int>
bool parseInt(std::string_view word, Int& out) {
    if (word.empty()) return false;
    auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), out);
    return ec == std::errc{} && ptr == word.data() + word.size();
}

class Parser {
public:
    Parser(const ScriptVocabulary& v, ScriptError& e) : vocabulary_(v), error_(e) {}

    bool line(std::string_view raw, int number) {
        number_ = number;
        std::string_view rest = raw;
        std::string_view first = nextWord(rest);
        if (first.empty() || first.front() == '#') return true;
        if (first == "callsign") {
            std::string_view call = trimmed(withoutComment(rest));
            if (!script_.statements.empty()) return fail("'callsign' must come before the first 'at'");
            if (call.empty() || call.find_first_of(" \t") != std::string_view::npos)
                return fail("'callsign' needs one call sign");
            script_.callsign = std::string(call);
            script_.callsignLine = number;
            return true;
        }
        if (first != "at") return fail("expected 'at TIME ...' or 'callsign CALL', found '" + std::string(first) + "'");
        Statement s;
        s.line = number;
        std::string_view time = nextWord(rest);
        if (!parseInt(time, s.at) || s.at < 0) return fail("'" + std::string(time) + "' is not a time in whole milliseconds");
        if (s.at > Script::kLatestTime)
            return fail("time " + std::string(time) + " is later than the station's clock goes (" +
                        std::to_string(Script::kLatestTime) + " ms)");
        if (!script_.statements.empty() && s.at < script_.statements.back().at)
            return fail("time " + std::string(time) + " is earlier than the statement before it");
        if (!statement(rest, s)) return false;
        script_.statements.push_back(std::move(s));
        return true;
    }

    Script take() { return std::move(script_); }

private:
    bool statement(std::string_view rest, Statement& s) {
        using K = Statement::Kind;
        std::string_view verb = nextWord(rest);
        // Texts run to the end of the line, as written.
        if (verb == "chat") {
            s.kind = K::Chat;
            s.text = restAsWritten(rest);
            return true;
        }
        if (verb == "type") {
            s.kind = K::Type;
            s.name = std::string(nextWord(rest));
            s.text = restAsWritten(rest);
            return known(s.name, vocabulary_.typeable, "a field the operator can type into");
        }
        if (verb == "dialog") {
            s.kind = K::Dialog;
            s.text = restAsWritten(rest);
            if (s.text.empty()) return fail("'dialog' needs a path or 'cancel'");
            if (s.text == "cancel") s.text.clear();
            return true;
        }
        rest = withoutComment(rest);
        std::string_view a = nextWord(rest);
        std::string_view b = nextWord(rest);
        if (!trimmed(rest).empty()) return fail("unexpected '" + std::string(trimmed(rest)) + "' at the end");
        auto noArgs = [&](K kind) {
            s.kind = kind;
            return a.empty() ? true : fail("'" + std::string(verb) + "' takes nothing after it");
        };
        if (verb == "carrier" || verb == "rx") {
            s.kind = verb == "carrier" ? K::Carrier : K::Rx;
            std::string_view yes = verb == "carrier" ? "up" : "on", no = verb == "carrier" ? "down" : "off";
            if (!b.empty() || (a != yes && a != no))
                return fail("'" + std::string(verb) + "' takes '" + std::string(yes) + "' or '" + std::string(no) + "'");
            s.on = a == yes;
            return true;
        }
        if (verb == "closing") return noArgs(K::Closing);
        if (verb == "close") return noArgs(K::Close);
        if (verb == "end") return noArgs(K::End);
        if (verb == "click" || verb == "show") {
            s.kind = verb == "click" ? K::Click : K::Show;
            s.name = std::string(a);
            if (!b.empty()) return fail("'" + std::string(verb) + "' takes one control name");
            return verb == "click" ? known(s.name, vocabulary_.clickable, "a control that can be clicked")
                                   : known(s.name, vocabulary_.showable, "a control");
        }
        if (verb == "slide") {
            s.kind = K::Slide;
            s.name = std::string(a);
            if (!known(s.name, vocabulary_.slidable, "a scroll bar (V1, V2 or H1)")) return false;
            if (!parseInt(b, s.value)) return fail("'slide' needs a whole-number value");
            return true;
        }
        return fail(verb.empty() ? "nothing to do after the time" : "unknown statement '" + std::string(verb) + "'");
    }

    bool known(const std::string& name, const std::function<bool(std::string_view)>& ok, const char* what) {
        if (name.empty()) return fail(std::string("expected ") + what);
        if (!ok || !ok(name)) return fail("'" + name + "' is not " + what);
        return true;
    }

    bool fail(const std::string& problem) {
        error_ = {number_, problem};
        return false;
    }

    const ScriptVocabulary& vocabulary_;
    ScriptError& error_;
    Script script_;
    int number_ = 0;
};

}  // namespace

std::optional<Script> parseScript(std::string_view text, const ScriptVocabulary& vocabulary, ScriptError& error) {
    Parser parser(vocabulary, error);
    int number = 0;
    while (!text.empty() || number == 0) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        ++number;
        if (!parser.line(line, number)) return std::nullopt;
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return parser.take();
}

}  // namespace tc
