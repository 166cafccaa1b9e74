#include "web/RemoteControl.h"

#include <array>
#include <utility>

#include "app/Form21.h"

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

void carryOut(const Control& c, Form21& form, const std::function<void(const std::function<void()>&)>& click) {
    auto press = [&](const char* control) { click([&form, control] { form.click(control); }); };
    const bool cw = form.panel.Options.Option1;
    switch (c.action) {
        case Action::On: press("Command14"); break;
        case Action::Off: press("Command15"); break;
        case Action::Cw: press("Picture18"); break;
        case Action::Audio: press("Picture13"); break;
        case Action::TestRf: press(cw ? "Command10" : "Command7"); break;
        case Action::TestInternet: press(cw ? "Command11" : "Command8"); break;
        case Action::Save: press("Command18"); break;
        case Action::Timings:
            form.type("HangTime", std::to_string(c.hangMs));
            form.type("KerchunkWait", std::to_string(c.kerchunkMs));
            break;
    }
}

}  // namespace tc
