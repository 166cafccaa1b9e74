#pragma once
#include <memory>
#include <string>

namespace tc {

// The host's events, delivered on the logic thread.
class HostEvents {
public:
    virtual ~HostEvents() = default;
    virtual void RX(bool bRX) = 0;
    virtual void CarrierDetect(bool bCD) = 0;
    virtual void Closing() = 0;
    virtual void ChatTextReceived(const std::string& sText) = 0;
};

struct StationInfo {
    std::string StationCallsign;  // in Sysop mode it contains "-"
};

// The host program's automation object. Every call that fails throws a
// RuntimeError in the calling handler.
class HostLink {
public:
    virtual ~HostLink() = default;
    virtual void SetPTT(bool keyed) = 0;
    virtual bool GetPTT() = 0;
    virtual bool GetCarrierDetect() = 0;
    virtual void SendCW(int mode, const std::string& text) = 0;
    virtual StationInfo GetStationInfo() = 0;
    virtual void SendChatText(const std::string& text) = 0;
    // Connects the event sink (the main window's); nullptr disconnects.
    virtual void Advise(HostEvents* sink) = 0;
};

// Creates a new host object; throws RuntimeError when the host is absent.
class HostLinkFactory {
public:
    virtual ~HostLinkFactory() = default;
    virtual std::shared_ptr<HostLink> CreateObject() = 0;
};

}  // namespace tc
