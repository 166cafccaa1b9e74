#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "app/Dispatcher.h"
#include "app/LevelControls.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostRef.h"
#include "hostlink/LinkEvents.h"
#include "hostlink/StatusClock.h"
#include "report/ReportSender.h"
#include "transmit/AntiKerchunker.h"
#include "transmit/MediaPlayer.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"
#include "ui/PanelCommands.h"

namespace tc {

class AudioGraphFactory;
class Desktop;
class EventLoop;
class Profile;

// The main window as the program sees it: the panel and the subsystems
// over it, wired to the ports. Front ends (the windows, the headless
// runner) construct it, call load() once, then feed it the operator's
// actions; the host's events and the timers reach it by themselves.
class Form21 : public HostEvents {
public:
    struct Ports {
        EventLoop& loop;
        HostLinkFactory& hosts;
        AudioGraphFactory& audio;
        Desktop& desktop;
        Profile& profile;
        std::string rfToneDefault;
        std::string inetToneDefault;
        ReportSender sendReport;
        std::function<void()> afterHandler;  // a window refreshes from the panel here
    };

    explicit Form21(Ports ports);

private:
    Ports ports_;  // first: everything below is built from it
    Dispatcher dispatcher_;

public:
    // Start-up. Afterwards ended() tells whether the program ended in it.
    void load();
    bool ended() const { return dispatcher_.ended(); }

    // The operator's actions; false when no such control takes that action.
    bool click(std::string_view control);
    static bool isClickable(std::string_view control);
    static bool isTypeable(std::string_view field);
    static bool isSlidable(std::string_view scrollBar);
    bool type(std::string_view field, const std::string& text);
    bool slide(std::string_view scrollBar, long long value);
    void closeRequest();
    // Runs any other handler (e.g. the about window's buttons) without a trap.
    void run(const std::function<void()>& handler) { dispatcher_.noTrap(handler); }

    // The host's events.
    void RX(bool bRX) override;
    void CarrierDetect(bool bCD) override;
    void Closing() override;
    void ChatTextReceived(const std::string& sText) override;

    Panel panel;
    HostRef EchoLink;
    MediaPlayer player;
    TransmitSequence transmit;
    Settings settings;
    PanelCommands commands;

private:
    void wireTimers();
    TextField* operatorField(std::string_view name);

    AntiKerchunker antiKerchunker_;
    StatusClock statusClock_;
    LevelControls levels_;
    LinkEvents link_;
    Startup startup_;
};

}  // namespace tc
