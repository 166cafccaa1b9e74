#pragma once
#include <functional>
#include <string>

#include "core/RuntimeError.h"

namespace tc {

class Desktop;

// Runs the program's handlers one at a time and gives them the three ways
// of meeting a run-time error:
//  - no trap (noTrap): the error reaches here, the error report is shown,
//    titled with the program's title, and the program ends;
//  - resume-next (resumeNext): the failing step is skipped, the next runs;
//  - LoadFile's own trap, which catches its errors itself.
// Ending the program at once (endAtOnce) unwinds to the outermost handler,
// also from handlers that run while another waits (the usage report lets
// pending events run), and from then on no handler runs.
class Dispatcher {
public:
    Dispatcher(Desktop& desktop, std::function<void()> afterHandler = {})
        : desktop_(desktop), afterHandler_(std::move(afterHandler)) {}

    void noTrap(const std::function<void()>& handler);
    bool ended() const { return ended_; }

private:
    void end();

    Desktop& desktop_;
    std::function<void()> afterHandler_;
    int depth_ = 0;
    bool ended_ = false;
    bool reporting_ = false;  // a failure's report is up; the program ends when it is answered
};

// One step of a handler under a resume-next trap.
template <class Step>
void resumeNext(Step&& step) {
    try {
        step();
    } catch (const RuntimeError&) {
        // skipped: the handler goes on with its next step
    }
}

[[noreturn]] inline void endAtOnce() { throw EndProgram{}; }

}  // namespace tc
