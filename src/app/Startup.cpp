#include "app/Startup.h"

#include "core/Dispatcher.h"
#include "core/Identity.h"
#include "app/LevelControls.h"
#include "core/NumberText.h"
#include "app/Settings.h"
#include "core/HostRef.h"
#include "transmit/MediaPlayer.h"
#include "core/Desktop.h"
#include "ui/Panel.h"

namespace tc {

namespace {

// A slider moved to the value of its setting text; a text that does not
// convert or that the slider refuses moves it to the setting's default.
void moveSlider(ScrollBar& slider, const std::string& text, long long fallback) {
    try {
        slider.setValue(wholeNumber(text));
    } catch (const RuntimeError&) {
        slider.setValue(fallback);
    }
}

}  // namespace

void Startup::Form_Load() {
    Panel& panel = p_.panel;
    const std::string title = identity::kProduct;

    if (p_.desktop.PreviousInstance()) {
        p_.desktop.MsgBox("Program is already running.", mb::OkOnly, title);
        endAtOnce();
    }

    p_.echoLink.set(p_.hosts.CreateObject());
    p_.echoLink->Advise(&p_.sink);

    panel.setCaption(identity::title(p_.echoLink->GetStationInfo().StationCallsign));

    if (p_.echoLink->GetStationInfo().StationCallsign.find('-') == std::string::npos) {
        p_.desktop.MsgBox("Tailchime Only runs in Sysop Mode", mb::OkOnly, title);
        endAtOnce();
    }

    p_.settings.ReadAll();

    moveSlider(panel.V1, panel.VolSet.text, -1540);
    moveSlider(panel.V2, panel.SpeedSet.text, 100);

    if (auto ms = LevelControls::intervalOf(panel.KerchunkWait.text)) panel.Kerchunker->setInterval(*ms);
    if (auto ms = LevelControls::intervalOf(panel.HangTime.text)) panel.KickBackCheck->setInterval(*ms);

    panel.Label1.caption = "0";
    panel.Label2.caption = "0";
    panel.Label3.caption = "0";

    panel.Callsign.setText(p_.echoLink->GetStationInfo().StationCallsign);
    panel.Prog.setText(identity::kProduct);
    panel.Ver.setText(identity::versionText());

    // The status clock and the supervisor run from here: every tick finds
    // the host object, the settings and the registers in place, also the
    // ticks inside the report's wait and inside any box of the start-up.
    panel.Timer1->setEnabled(true);
    panel.Timer3->setEnabled(true);
    panel.Timer4->setEnabled(true);

    if (p_.saveUserData) p_.saveUserData();
}

void Startup::Form_QueryUnload() {
    p_.player.CleanUp();
    endAtOnce();
}

}  // namespace tc
