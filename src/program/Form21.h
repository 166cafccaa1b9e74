#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "app/LevelControls.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "core/Dispatcher.h"
#include "core/HostLink.h"
#include "core/HostRef.h"
#include "core/StationEvents.h"
#include "hostlink/LinkEvents.h"
#include "hostlink/StatusClock.h"
#include "report/ReportSender.h"
#include "transmit/AntiKerchunker.h"
#include "transmit/MediaPlayer.h"
#include "transmit/OnAir.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"
#include "ui/PanelCommands.h"
#include "ui/StationCommands.h"

namespace tc {

class AudioGraphFactory;
class Desktop;
class EventLoop;
class Profile;

// The main window as the program sees it: the panel and the subsystems
// over it, wired to the ports. Front ends (the windows, the headless
// runner) construct it, call load() once, then give it the operators'
// commands; the host's events and the timers reach it by themselves. What
// it decides it tells on `events`.
class Form21 : public HostEvents, public StationCommands {
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
    StationEvents events;
    // The station's settings file, where its followers read their own sections.
    Profile& settingsFile() const { return ports_.profile; }

    // Start-up. Afterwards ended() tells whether the program ended in it.
    void load();
    bool ended() const override { return dispatcher_.ended(); }
    // What the panel shows of the station now (a follower's first view).
    event::Status status() const { return statusClock_.current(); }

    // The operators' commands.
    using StationCommands::click;
    using StationCommands::slide;
    using StationCommands::type;
    void perform(Verb verb, Asker asker) override;
    void type(Field field, const std::string& text, Asker asker) override;
    void slide(Slider slider, long long value, Asker asker) override;
    void closeRequest(Asker asker = Asker::Panel) override;
    void testIdent(bool internet, Asker asker) override;
    // Runs any other handler (e.g. the about window's buttons) without a trap.
    void run(const std::function<void()>& handler) { dispatcher_.noTrap(handler); }
    // What a stop signal does: the transmitter released at once, then the
    // program ends as a close request ends it.
    void releaseAndClose();

    // The host's events.
    void RX(bool bRX) override;
    void CarrierDetect(bool bCD) override;
    void Closing() override;
    void ChatTextReceived(const std::string& sText) override;

    Panel panel;
    HostRef EchoLink;
    MediaPlayer player;
    OnAir onAir;
    TransmitSequence transmit;
    Settings settings;
    PanelCommands commands;

private:
    void wireTimers();
    void prepareTones();
    // Runs an operator's command as its asker's, then tells what the panel shows.
    void asked(Asker asker, const std::function<void()>& handler);

    AntiKerchunker antiKerchunker_;
    StatusClock statusClock_;
    LevelControls levels_;
    LinkEvents link_;
    Startup startup_;
};

}  // namespace tc
