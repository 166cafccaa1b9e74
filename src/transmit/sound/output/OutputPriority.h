#pragma once
#include <functional>

namespace tc::sound {

// Real-time scheduling for what must not wait behind the machine's other
// programs, where the system allows it; where it does not, each runs at the
// priority it has.

// The output's thread: above the station's own (real-time 10), so that a
// busy machine delays a courtesy, never breaks it up. False where not allowed.
bool toOutputPriority();
// Back to ordinary scheduling.
void normalPriority();
// Runs `wait` on the calling thread at the station's real-time priority at
// least, then puts the thread back as it was: the counted passes before a
// courtesy's first sound take their own time, not a share of a busy core.
void runAboveOthers(const std::function<void()>& wait);

}  // namespace tc::sound
