#pragma once
#include <optional>
#include <string>

#include "core/StationEvents.h"
#include "web/Json.h"

namespace tc {

class StationCommands;

// A control from the page: one of the panel's own commands.
struct Control {
    enum class Action { On, Off, Cw, Audio, TestRf, TestInternet, Save, Timings };
    Action action = Action::Save;
    long long hangMs = 0, kerchunkMs = 0;  // Timings

    // {"action": "on"}, ... {"action": "timings", "hang": 600, "kerchunk": 2500};
    // nothing, with the problem set, for anything else.
    static std::optional<Control> from(const json::Object& body, std::string& problem);
    std::string name() const;
};

// Carries a control out on the logic thread, as the page's (or the
// broker's): switch on or off, choose the CW or audio ident, the RF or
// Internet Test button of the chosen ident's page, Save; the timings are
// typed into the Timings page's two fields (they act at once and a later
// Save keeps them).
void carryOut(const Control& control, StationCommands& station, Asker asker = Asker::Page);

}  // namespace tc
