#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace tc {

// What the station's logic asks of its radio, handed from the logic thread
// to the radio's: whether the transmitter should be keyed, how often the
// logic has released it, the Morse texts waiting, and the end. The logic's
// side never waits for the radio; the radio's thread waits here for its
// next poll or for an order, whichever comes first.
class RigOrders {
public:
    using Clock = std::chrono::steady_clock;

    // The keying as the radio's thread takes it for one cycle.
    struct Keying {
        bool want = false;      // the logic keys the transmitter
        bool released = false;  // it has released it since the last cycle, however briefly
    };

    // The logic thread.
    void key(bool keyed);
    void sendMorse(std::string text);
    void quit();

    // The radio's thread.
    bool quitting();
    Keying takeKeying();
    std::optional<std::string> nextMorse();
    std::deque<std::string> dropMorse();
    // Until `until`, or sooner when the keying changes from what the last
    // cycle took, a Morse text waits and the radio is free for it, or the end.
    void waitForOrders(Clock::time_point until, bool morseBusy);
    // A pause that only the end cuts short.
    void rest(int ms);

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    bool wantPtt_ = false;
    unsigned long releases_ = 0;  // how often the logic has released
    unsigned long seenReleases_ = 0;
    bool taken_ = false;  // the keying as the last cycle took it
    std::deque<std::string> morse_;
};

}  // namespace tc
