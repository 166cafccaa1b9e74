#include "transmit/sound/output/OutputPriority.h"

#include <pthread.h>
#include <sched.h>

namespace tc::sound {

namespace {

constexpr int kOutputPriority = 11;
constexpr int kStationPriority = 10;  // the unattended station's own

}  // namespace

bool toOutputPriority() {
    sched_param param{};
    param.sched_priority = kOutputPriority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

void normalPriority() {
    sched_param normal{};
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &normal);
}

void runAboveOthers(const std::function<void()>& wait) {
    int policy = SCHED_OTHER;
    sched_param was{};
    pthread_getschedparam(pthread_self(), &policy, &was);
    sched_param raised{};
    raised.sched_priority = kStationPriority;
    const bool above = (policy == SCHED_FIFO || policy == SCHED_RR) && was.sched_priority >= kStationPriority;
    // Put back however the wait ends.
    struct Restore {
        bool changed;
        int policy;
        sched_param param;
        ~Restore() {
            if (changed) pthread_setschedparam(pthread_self(), policy, &param);
        }
    } restore{!above && pthread_setschedparam(pthread_self(), SCHED_FIFO, &raised) == 0, policy, was};
    wait();
}

}  // namespace tc::sound
