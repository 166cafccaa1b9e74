#include "app/LevelControls.h"

#include "core/Dispatcher.h"
#include "core/NumberText.h"
#include "core/StationEvents.h"
#include "transmit/MediaPlayer.h"
#include "ui/Panel.h"

namespace tc {

void LevelControls::V1_Change() {
    resumeNext([&] { panel_.VolSet.setText(std::to_string(panel_.V1.value)); });
    resumeNext([&] { player_.BasicAudio().put_Volume(panel_.V1.value); });
    levelsChanged();
}

void LevelControls::V2_Change() {
    resumeNext([&] { player_.MediaPosition().put_Rate(panel_.V2.value / 100.0); });
    resumeNext([&] { panel_.SpeedSet.setText(std::to_string(panel_.V2.value)); });
    levelsChanged();
}

void LevelControls::H1_Scroll() {
    resumeNext([&] { player_.MediaPosition().put_CurrentPosition(panel_.H1.value); });
}

std::optional<int> LevelControls::intervalOf(const std::string& text) {
    try {
        long long ms = wholeNumber(text);
        if (ms >= kMinInterval && ms <= kMaxInterval) return static_cast<int>(ms);
    } catch (const RuntimeError&) {
        // not a number: no interval
    }
    return std::nullopt;
}

void LevelControls::HangTime_Change() {
    if (auto ms = intervalOf(panel_.HangTime.text)) {
        panel_.KickBackCheck->setInterval(*ms);
        timingsChanged();
    }
}

void LevelControls::KerchunkWait_Change() {
    if (auto ms = intervalOf(panel_.KerchunkWait.text)) {
        panel_.Kerchunker->setInterval(*ms);
        timingsChanged();
    }
}

void LevelControls::levelsChanged() { events_.raise(event::Levels{panel_.V1.value, panel_.V2.value}); }

void LevelControls::timingsChanged() {
    events_.raise(event::Timings{panel_.KickBackCheck->interval(), panel_.Kerchunker->interval()});
}

}  // namespace tc
