#include "hostlink/hamlib/RigStation.h"

#include "core/Morse.h"

namespace tc {

RigStation::RigStation(EventLoop& loop, RigConfig config, CwVoice voice)
    : config_(std::move(config)),
      news_(loop, kDeliverMs),
      worker_(config_, orders_, std::move(voice),
              [this](RigNews news) { news_.send([this, news = std::move(news)] { take(news); }); }) {}

RigStation::~RigStation() {
    orders_.quit();  // the worker releases the transmitter and closes the radio as it ends
}

std::shared_ptr<HostLink> RigStation::CreateObject() {
    // A handle that shares the station without owning it: one radio.
    return std::shared_ptr<HostLink>(std::shared_ptr<HostLink>{}, this);
}

void RigStation::SetPTT(bool keyed) {
    ptt_ = keyed;
    if (!keyed) timedOut_ = false;
    orders_.key(keyed);
    updateKeying();
}

void RigStation::SendCW(int /*mode*/, const std::string& text) {
    for (auto* l : listeners_) l->cwSent(text);
    if (!morse::elements(text).empty()) orders_.sendMorse(text);
}

void RigStation::SendChatText(const std::string& text) {
    const event::Radio news{event::Radio::Note, "a radio has no chat: \"" + text + "\" not posted"};
    for (auto* l : listeners_) l->radioNotice(news);
}

void RigStation::updateKeying() {
    bool keyed = (ptt_ && !timedOut_) || cwKeyed_;
    if (keyed == keyed_) return;
    keyed_ = keyed;
    for (auto* l : listeners_) l->transmitterChanged(keyed_);
}

void RigStation::take(const RigNews& n) {
    switch (n.kind) {
        case RigNews::Kind::Carrier:
            carrier_ = n.on;
            for (auto* l : listeners_) l->carrierChanged(n.on);
            if (sink_) sink_->CarrierDetect(n.on);
            break;
        case RigNews::Kind::CwKeyed:
            cwKeyed_ = n.on;
            updateKeying();
            break;
        case RigNews::Kind::TimedOut:
            if (ptt_) timedOut_ = true;  // unless the logic has released meanwhile
            updateKeying();
            break;
        case RigNews::Kind::Notice:
            for (auto* l : listeners_) l->radioNotice({n.news, n.text});
            break;
    }
}

}  // namespace tc
