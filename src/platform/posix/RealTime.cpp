#include "platform/posix/RealTime.h"

#include <pthread.h>
#include <sched.h>

#include <cstring>

namespace tc {

namespace {

// Above ordinary threads, below the kernel's and the sound server's own.
constexpr int kPriority = 10;

}  // namespace

std::string raiseToRealTime() {
    sched_param param{};
    param.sched_priority = kPriority;
    int code = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    if (code == 0) return "station thread on real-time scheduling (SCHED_FIFO " + std::to_string(kPriority) + ")";
    return std::string("station thread at normal priority: real-time scheduling not allowed (") + std::strerror(code) +
           "; see LimitRTPRIO in the systemd unit)";
}

}  // namespace tc
