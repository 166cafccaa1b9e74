#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/HostLink.h"
#include "core/HostListener.h"

namespace tc {

class EventLoop;

// The built-in station: a node in Sysop mode with a transmitter, an RF
// receiver and a chat. It keys its transmitter while the program keys it,
// while it sends CW (20 words per minute) and while Internet audio goes out
// over the air. The script or the simulator window plays the outside world
// through raiseCarrier, raiseRX, raiseChat and raiseClosing.
class SimulatedStation : public HostLink, public HostLinkFactory {
public:
    static constexpr const char* kDefaultCallsign = "N0CALL-L";
    static constexpr int kCwWpm = 20;

    explicit SimulatedStation(EventLoop& loop, std::string callsign = kDefaultCallsign);

    void addListener(HostListener* l) { listeners_.push_back(l); }
    void removeListener(HostListener* l) { std::erase(listeners_, l); }
    void setCallsign(std::string c) { callsign_ = std::move(c); }
    const std::string& callsign() const { return callsign_; }

    // The outside world.
    void raiseCarrier(bool present);
    void raiseRX(bool internetAudio);
    void raiseChat(const std::string& text);
    void raiseClosing();

    bool carrier() const { return carrier_; }
    bool keyed() const { return keyed_; }
    // Whether the program holds the transmitter or has CW still going out.
    bool keyedByProgram() const;
    bool internetAudio() const { return internetAudio_; }

    // HostLinkFactory: every new object is a handle on this one station.
    std::shared_ptr<HostLink> CreateObject() override;

    // HostLink.
    void SetPTT(bool keyed) override;
    bool GetPTT() override { return keyed_; }
    bool GetCarrierDetect() override { return carrier_; }
    void SendCW(int mode, const std::string& text) override;
    StationInfo GetStationInfo() override { return {callsign_}; }
    void SendChatText(const std::string& text) override;
    void Advise(HostEvents* sink) override { sink_ = sink; }

private:
    void updateKeying();

    EventLoop& loop_;
    std::string callsign_;
    HostEvents* sink_ = nullptr;
    std::vector<HostListener*> listeners_;
    bool carrier_ = false;
    bool internetAudio_ = false;
    bool ptt_ = false;
    bool keyed_ = false;
    std::int64_t cwUntil_ = 0;
};

}  // namespace tc
