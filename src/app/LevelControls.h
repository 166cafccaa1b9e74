#pragma once
#include <optional>
#include <string>

namespace tc {

class MediaPlayer;
class Panel;
class StationEvents;

// The volume, speed and position sliders and the two timing fields: each
// change takes effect at once, on the player or on the anti-kerchunker
// timers.
class LevelControls {
public:
    // Timer intervals a timing field may set, in milliseconds.
    static constexpr long long kMinInterval = 1;
    static constexpr long long kMaxInterval = 65535;

    LevelControls(Panel& panel, MediaPlayer& player, StationEvents& events)
        : panel_(panel), player_(player), events_(events) {}

    void V1_Change();
    void V2_Change();
    void H1_Scroll();
    void HangTime_Change();
    void KerchunkWait_Change();

    // The interval a timing field's text asks for: its whole-number value
    // when that is a usable interval. Anything else (an emptied field
    // while the operator retypes, letters, zero, a negative number, more
    // than 65535 ms) asks for nothing, and the timer keeps the interval
    // it has.
    static std::optional<int> intervalOf(const std::string& text);

private:
    void levelsChanged();
    void timingsChanged();

    Panel& panel_;
    MediaPlayer& player_;
    StationEvents& events_;
};

}  // namespace tc
