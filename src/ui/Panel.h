#pragma once
#include <memory>
#include <string>

#include "core/EventLoop.h"
#include "ui/Controls.h"

namespace tc {

// The main window's controls, which are also the program's state store.
// Every control the logic reads or writes is a field under its window
// name with its design start value; the windows only show this and feed
// clicks and edits back. Controls whose changes run handlers (HangTime,
// KerchunkWait, V1, V2) carry them as onChange hooks, wired by Form21.
class Panel {
public:
    explicit Panel(EventLoop& loop);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    PanelListener* listener = nullptr;  // declared first: the indicators refer to it

    // The window itself.
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& text);
    float Left = 0;  // twips; start-up places the window from the settings
    float Top = 0;

    // Status strip: lit lamp faces over their dark faces, legend icons,
    // transmit images and the antenna frames.
    Shape Picture26, Picture21, Picture27, Picture22, Picture28, Picture23, Picture29, Picture24;
    Shape Picture14, Picture16, Picture19, Picture20;
    Shape Picture25{false}, Picture3, Picture4{false};
    Shape Ant0, Ant1{false}, Ant2{false}, Ant3{false};

    // The three pages.
    Shape Frame2, Frame5, Frame6{false};

    // CW ID page.
    Shape Picture12, Command10, Picture8, Command11, Picture17;
    TextField CourtesyID{"K", {}};
    TextField IPCourtesy{"I", {}};
    Label OK2Kerchunk{"No"};

    // Audio ID page, with the volume group.
    Shape Picture11, Command1, Command7, Picture9, Command6, Command8, Picture15, Frame11, Picture6;
    TextField RFTone{"RFTone", {}};
    TextField InetTone{"IPTone", {}};
    ScrollBar V1{-3000, 0, 0, {}};
    TextField VolSet{"Text4", {}};

    // Timings page.
    Shape Picture1, Picture2, Picture7, Command16;
    TextField HangTime{"500", {}};
    TextField KerchunkWait{"2000", {}};

    // Bottom row.
    Shape Picture18, Picture13, Command14, Command15, Command12, Command17, Command18;
    OptionGroup Options;

    // Hidden area: identity fields for the usage report.
    TextField Callsign{"Callsign", {}};
    TextField Prog{"Program", {}};
    TextField Ver{"Ver", {}};

    // Hidden area: status indicators.
    Indicator Ident{"Ident", "Ident OFF", colour::ButtonFace, listener};
    Indicator Kerchunk{"Kerchunk", "Kerchunker Set", colour::ThreeDLight, listener};
    Indicator RFUser{"RFUser", "RX  Standby", colour::ButtonFace, listener};
    Indicator PTT1{"PTT1", "IP  TX  OFF", colour::ButtonFace, listener};
    Indicator PTT{"PTT", "PTT OFF", colour::LightGreen, listener};

    // Hidden area: registers (position, duration, length of the loaded file).
    Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"};

    // Hidden area: clocks (time left, time used, length).
    TextField Text1{"00:00:00", {}};
    TextField Text2{"00:00:00", {}};
    TextField Text3{"00:00:00", {}};

    // Hidden area: the switch, the position bar, the speed control, the test player.
    CheckBox Check1;
    ScrollBar H1{0, 0, 0, {}};
    ScrollBar V2{10, 200, 200, {}};
    TextField SpeedSet{"Text5", {}};
    TextField txtFile;
    Shape Command4, Command3, Command2, Command5, Command9;
    CommonDialog CommonDialog1;

    // Timers: the status clock, the supervisor and the anti-kerchunker.
    std::unique_ptr<Timer> Timer1, Timer3, Timer4, Kerchunker, KickBackCheck;

private:
    std::string caption_ = "Tailchime";
};

}  // namespace tc
