#include "core/Dispatcher.h"

#include "core/Identity.h"
#include "core/Desktop.h"

namespace tc {

namespace {

std::string errorReport(const RuntimeError& e) {
    return "Run-time error '" + std::to_string(e.number()) + "': " + e.what();
}

}  // namespace

void Dispatcher::noTrap(const std::function<void()>& handler) {
    if (ended_) return;
    struct Depth {
        int& d;
        explicit Depth(int& x) : d(x) { ++d; }
        ~Depth() { --d; }
    } depth(depth_);
    try {
        try {
            handler();
        } catch (const RuntimeError& e) {
            // While the first failure's report waits for the operator the
            // station runs on (ticks, host events); a handler that fails
            // meanwhile is abandoned without a report of its own, so that
            // one failure (a host gone) does not pile box upon box.
            if (reporting_) return;
            reporting_ = true;
            desktop_.MsgBox(errorReport(e), 48, identity::kProduct);
            endAtOnce();
        }
    } catch (const EndProgram&) {
        if (depth_ > 1) throw;  // the outermost handler ends the program
        end();
        return;
    }
    if (depth_ == 1 && afterHandler_) afterHandler_();
}

void Dispatcher::end() {
    ended_ = true;
    desktop_.Ended();
}

}  // namespace tc
