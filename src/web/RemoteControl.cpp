#include "web/RemoteControl.h"

#include <array>
#include <utility>

#include "ui/StationCommands.h"

namespace tc {

namespace {

using Action = Control::Action;
constexpr std::array<std::pair<const char*, Action>, 8> kActions = {{
    {"on", Action::On},
    {"off", Action::Off},
    {"cw", Action::Cw},
    {"audio", Action::Audio},
    {"test-rf", Action::TestRf},
    {"test-internet", Action::TestInternet},
    {"save", Action::Save},
    {"timings", Action::Timings},
}};

// The range the Timings page's fields take as timer intervals.
constexpr long long kLongestMs = 65535;

std::optional<long long> milliseconds(const json::Object& body, const char* name) {
    auto it = body.find(name);
    if (it == body.end()) return std::nullopt;
    auto* n = std::get_if<std::int64_t>(&it->second);
    if (!n || *n < 1 || *n > kLongestMs) return std::nullopt;
    return *n;
}

}  // namespace

std::optional<Control> Control::from(const json::Object& body, std::string& problem) {
    auto it = body.find("action");
    const std::string* name = it == body.end() ? nullptr : std::get_if<std::string>(&it->second);
    if (!name) {
        problem = "no action";
        return std::nullopt;
    }
    Control c;
    bool known = false;
    for (const auto& [text, action] : kActions)
        if (*name == text) {
            c.action = action;
            known = true;
        }
    if (!known) {
        problem = "unknown action";
        return std::nullopt;
    }
    const std::size_t expected = c.action == Action::Timings ? 3 : 1;
    if (c.action == Action::Timings) {
        auto hang = milliseconds(body, "hang"), kerchunk = milliseconds(body, "kerchunk");
        if (!hang || !kerchunk) {
            problem = "timings need hang and kerchunk, whole milliseconds from 1 to 65535";
            return std::nullopt;
        }
        c.hangMs = *hang;
        c.kerchunkMs = *kerchunk;
    }
    if (body.size() != expected) {
        problem = "unexpected fields";
        return std::nullopt;
    }
    return c;
}

std::string Control::name() const {
    for (const auto& [text, a] : kActions)
        if (a == action) return text;
    return "";
}

void carryOut(const Control& c, StationCommands& station, Asker asker) {
    switch (c.action) {
        case Action::On: station.perform(Verb::SwitchOn, asker); break;
        case Action::Off: station.perform(Verb::SwitchOff, asker); break;
        case Action::Cw: station.perform(Verb::CwIdent, asker); break;
        case Action::Audio: station.perform(Verb::AudioIdent, asker); break;
        case Action::TestRf: station.testIdent(false, asker); break;
        case Action::TestInternet: station.testIdent(true, asker); break;
        case Action::Save: station.perform(Verb::Save, asker); break;
        case Action::Timings: station.setTimings(c.hangMs, c.kerchunkMs, asker); break;
    }
}

}  // namespace tc
