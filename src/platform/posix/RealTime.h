#pragma once
#include <string>

namespace tc {

// Puts the calling thread on SCHED_FIFO at a modest priority, so that the
// station's 100 ms ticks keep their time on a busy machine. Returns what
// happened, for the log: the system may not allow it (an RLIMIT_RTPRIO of
// 0), and then the thread stays at normal priority.
std::string raiseToRealTime();

}  // namespace tc
