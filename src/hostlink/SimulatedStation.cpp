#include "hostlink/SimulatedStation.h"

#include <algorithm>

#include "core/EventLoop.h"
#include "core/Morse.h"

namespace tc {

SimulatedStation::SimulatedStation(EventLoop& loop, std::string callsign)
    : loop_(loop), callsign_(std::move(callsign)) {}

std::shared_ptr<HostLink> SimulatedStation::CreateObject() {
    // A handle that shares the station without owning it, as every client
    // of the host program talks to the one running host.
    return std::shared_ptr<HostLink>(std::shared_ptr<HostLink>{}, this);
}

void SimulatedStation::updateKeying() {
    bool keyed = ptt_ || internetAudio_ || loop_.nowMs() < cwUntil_;
    if (keyed == keyed_) return;
    keyed_ = keyed;
    for (auto* l : listeners_) l->transmitterChanged(keyed_);
}

void SimulatedStation::SetPTT(bool keyed) {
    ptt_ = keyed;
    updateKeying();
}

void SimulatedStation::SendCW(int /*mode*/, const std::string& text) {
    for (auto* l : listeners_) l->cwSent(text);
    std::int64_t length = morse::durationMs(text, kCwWpm);
    if (length == 0) return;
    // Letters sent while others are still on the air queue behind them.
    cwUntil_ = std::max(cwUntil_, loop_.nowMs()) + length;
    updateKeying();
    loop_.post(cwUntil_, Lane::Device, [this] { updateKeying(); });
}

void SimulatedStation::SendChatText(const std::string& text) {
    for (auto* l : listeners_) l->chatSent(text);
}

void SimulatedStation::raiseCarrier(bool present) {
    carrier_ = present;
    if (sink_) sink_->CarrierDetect(present);
}

void SimulatedStation::raiseRX(bool internetAudio) {
    internetAudio_ = internetAudio;
    updateKeying();
    if (sink_) sink_->RX(internetAudio);
}

void SimulatedStation::raiseChat(const std::string& text) {
    if (sink_) sink_->ChatTextReceived(text);
}

void SimulatedStation::raiseClosing() {
    if (sink_) sink_->Closing();
}

bool SimulatedStation::keyedByProgram() const { return ptt_ || loop_.nowMs() < cwUntil_; }

}  // namespace tc
