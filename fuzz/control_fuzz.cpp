// Any bytes as the body of a control from the web page: the body parses as
// a flat object or is refused; every string it holds comes back the same
// through the page's own quoting; and a control is either one of the
// panel's commands or refused with its problem told.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "web/Json.h"
#include "web/RemoteControl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    auto object = tc::json::parseFlatObject(body);
    if (!object) return 0;
    for (const auto& [name, value] : *object) {
        const auto* text = std::get_if<std::string>(&value);
        if (!text) continue;
        auto again = tc::json::parseFlatObject("{" + tc::json::quote(name) + ":" + tc::json::quote(*text) + "}");
        if (!again || again->size() != 1 || std::get<std::string>(again->begin()->second) != *text) std::abort();
    }
    std::string problem;
    auto control = tc::Control::from(*object, problem);
    if (!control && problem.empty()) std::abort();
    auto fits = [](long long ms) { return ms >= 1 && ms <= 65535; };
    if (control && control->action == tc::Control::Action::Timings && !(fits(control->hangMs) && fits(control->kerchunkMs)))
        std::abort();
    return 0;
}
