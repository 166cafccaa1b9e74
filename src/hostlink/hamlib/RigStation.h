#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/Mailbox.h"
#include "core/HostLink.h"
#include "core/HostListener.h"
#include "hostlink/RigConfig.h"
#include "hostlink/hamlib/RigOrders.h"
#include "hostlink/hamlib/RigWorker.h"

namespace tc {

class EventLoop;

// A radio as the station's host, through Hamlib: the logic thread's side.
// The logic's calls never wait for the radio: they note what the logic
// wants in the radio's orders and return; the radio's own thread (RigWorker)
// does the talking and hands each change back through a mailbox, a change
// of carrier as a CarrierDetect event. There is no RX and no chat on a radio.
class RigStation : public HostLink, public HostLinkFactory {
public:
    using CwVoice = RigWorker::CwVoice;

    // How often the radio's news is taken in on the logic thread.
    static constexpr int kDeliverMs = 20;

    // Throws RigError when Hamlib refuses the configuration.
    RigStation(EventLoop& loop, RigConfig config, CwVoice voice);
    ~RigStation() override;

    void addListener(HostListener* l) { listeners_.push_back(l); }

    // HostLinkFactory: every object is a handle on this one radio.
    std::shared_ptr<HostLink> CreateObject() override;

    // HostLink.
    void SetPTT(bool keyed) override;
    bool GetPTT() override { return keyed_; }
    bool GetCarrierDetect() override { return carrier_; }
    void SendCW(int mode, const std::string& text) override;
    StationInfo GetStationInfo() override { return {config_.callsign}; }
    void SendChatText(const std::string& text) override;
    void Advise(HostEvents* sink) override { sink_ = sink; }

private:
    void take(const RigNews& news);
    void updateKeying();

    const RigConfig config_;
    std::vector<HostListener*> listeners_;
    HostEvents* sink_ = nullptr;
    bool ptt_ = false;       // as the logic keys it
    bool cwKeyed_ = false;   // the station keys its own Morse
    bool timedOut_ = false;  // the time-out released the transmitter
    bool keyed_ = false;     // what GetPTT reports
    bool carrier_ = false;

    Mailbox news_;      // from the radio's thread
    RigOrders orders_;  // to it
    RigWorker worker_;  // last: its thread starts once all the above is in place
};

}  // namespace tc
