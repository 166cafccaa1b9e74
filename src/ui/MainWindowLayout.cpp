#include "ui/MainWindowLayout.h"

namespace tc {

namespace {

using K = PlacedControl::Kind;
using F = PlacedControl::Face;
using P = Panel;

const PlacedControl kLayout[] = {
    // The status strip: each lamp's lit face over its dark one (hiding the
    // lit face shows the dark one), the legends, on-air and the antenna.
    {K::Frame, "Frame7", nullptr, 120, 120, 4815, 1095, "", nullptr},
    {K::Picture, "Picture21", "Frame7", 1080, 240, 375, 375, "lamp_kerchunker_dark", "Kerchunker Set", &P::Picture21},
    {K::Picture, "Picture26", "Frame7", 1080, 240, 375, 375, "lamp_kerchunker_lit", "Kerchunker Set", &P::Picture26},
    {K::Picture, "Picture22", "Frame7", 1800, 240, 375, 375, "lamp_rf_dark", "RF User", &P::Picture22},
    {K::Picture, "Picture27", "Frame7", 1800, 240, 375, 375, "lamp_rf_lit", "RF User", &P::Picture27},
    {K::Picture, "Picture23", "Frame7", 2520, 240, 375, 375, "lamp_ip_dark", "IP User", &P::Picture23},
    {K::Picture, "Picture28", "Frame7", 2520, 240, 375, 375, "lamp_ip_lit", "IP User", &P::Picture28},
    {K::Picture, "Picture24", "Frame7", 3240, 240, 375, 375, "lamp_ptt_dark", "PTT", &P::Picture24},
    {K::Picture, "Picture29", "Frame7", 3240, 240, 375, 375, "lamp_ptt_lit", "PTT", &P::Picture29},
    {K::Picture, "Picture14", "Frame7", 1080, 600, 375, 375, "legend_kerchunker", "Anti-Kerchunker", &P::Picture14},
    {K::Picture, "Picture16", "Frame7", 1800, 600, 375, 375, "legend_rf", "RF User", &P::Picture16},
    {K::Picture, "Picture19", "Frame7", 2520, 600, 375, 375, "legend_ip", "IP User", &P::Picture19},
    {K::Picture, "Picture20", "Frame7", 3240, 600, 375, 375, "legend_ptt", "PTT", &P::Picture20},
    {K::Picture, "Picture25", "Frame7", 120, 240, 735, 735, "transmit_onair", nullptr, &P::Picture25},
    {K::Antenna, "Antenna", "Frame7", 3960, 240, 735, 735, "antenna0", "System Active"},
    {K::Picture, "Picture3", nullptr, 240, 360, 735, 735, "transmit_idle", nullptr, &P::Picture3},
    {K::Picture, "Picture4", nullptr, 240, 360, 735, 735, "transmit_mic", "Transmitting", &P::Picture4},

    // The CW ID page.
    {K::Frame, "Frame2", nullptr, 120, 1200, 4815, 2175, "CW ID", nullptr, &P::Frame2},
    {K::Picture, "Picture12", "Frame2", 1800, 600, 375, 375, "id_rf", "RF Audio ID", &P::Picture12},
    {K::Field, "CourtesyID", "Frame2", 2280, 600, 465, 330, nullptr, "RF CW Ident Letter", nullptr, &P::CourtesyID,
     F::Letter},
    {K::Button, "Command10", "Frame2", 3000, 600, 615, 375, "button_test", "Test", &P::Command10},
    {K::Picture, "Picture8", "Frame2", 1800, 1200, 375, 375, "legend_ip", "Internet Audio ID", &P::Picture8},
    {K::Field, "IPCourtesy", "Frame2", 2280, 1200, 465, 315, nullptr, "Internet CW Ident Letter", nullptr,
     &P::IPCourtesy, F::Letter},
    {K::Button, "Command11", "Frame2", 3000, 1200, 615, 375, "button_test", "Test", &P::Command11},
    {K::Picture, "Picture17", "Frame2", 240, 1320, 1335, 495, "deco_cw", nullptr, &P::Picture17},

    // The Audio ID page, with the volume group.
    {K::Frame, "Frame5", nullptr, 120, 1200, 4815, 2175, "Audio ID  -- wav - mp3", nullptr, &P::Frame5},
    {K::Picture, "Picture11", "Frame5", 240, 360, 375, 375, "id_rf", "RF Audio ID", &P::Picture11},
    {K::Field, "RFTone", "Frame5", 600, 360, 2535, 285, nullptr, "RF Audio ID", nullptr, &P::RFTone},
    {K::Button, "Command1", "Frame5", 3360, 360, 615, 375, "button_file", "File", &P::Command1},
    {K::Button, "Command7", "Frame5", 4080, 360, 615, 375, "button_test", "Test", &P::Command7},
    {K::Picture, "Picture9", "Frame5", 240, 840, 375, 375, "legend_ip", "Internet Audio ID", &P::Picture9},
    {K::Field, "InetTone", "Frame5", 600, 840, 2535, 285, nullptr, "IP Audio ID", nullptr, &P::InetTone},
    {K::Button, "Command6", "Frame5", 3360, 840, 615, 375, "button_file", "File", &P::Command6},
    {K::Button, "Command8", "Frame5", 4080, 840, 615, 375, "button_test", "Test", &P::Command8},
    {K::Picture, "Picture15", "Frame5", 360, 1320, 615, 615, "deco_audio", nullptr, &P::Picture15},
    {K::Frame, "Frame11", "Frame5", 1320, 1200, 3375, 855, "", nullptr, &P::Frame11},
    {K::Picture, "Picture6", "Frame11", 120, 240, 495, 495, "volume", "Volume", &P::Picture6},
    {K::Label, "Label14", "Frame11", 840, 240, 480, 210, "0%", nullptr},
    {K::Label, "Label15", "Frame11", 1800, 240, 480, 210, "50%", nullptr},
    {K::Label, "Label4", "Frame11", 2640, 240, 540, 210, "100%", nullptr},
    {K::ScrollBar, "V1", "Frame11", 840, 480, 2295, 135, nullptr, nullptr},

    // The Timings page, in front of the other two when shown.
    {K::Frame, "Frame6", nullptr, 120, 1200, 4815, 2175, "Timings", nullptr, &P::Frame6},
    {K::Picture, "Picture1", "Frame6", 1560, 600, 375, 375, "hangtime", "HangTime Before ID ", &P::Picture1},
    {K::Field, "HangTime", "Frame6", 2040, 600, 705, 285, nullptr, "Hang Time Before ID in xx Milliseconds", nullptr,
     &P::HangTime, F::Timing},
    {K::Label, "Label21", "Frame6", 2880, 600, 255, 255, "ms", nullptr},
    {K::Picture, "Picture2", "Frame6", 1560, 1200, 375, 375, "legend_kerchunker", "Anti-Kerchunker", &P::Picture2},
    {K::Field, "KerchunkWait", "Frame6", 2040, 1200, 705, 285, nullptr, "Anti-Kerchunker time in Milliseconds",
     nullptr, &P::KerchunkWait, F::Timing},
    {K::Label, "Label20", "Frame6", 2880, 1200, 255, 255, "ms", nullptr},
    {K::Picture, "Picture7", "Frame6", 360, 1320, 735, 735, "deco_timing", nullptr, &P::Picture7},
    {K::Button, "Command16", "Frame6", 3480, 1560, 495, 375, "button_save_exit", "Save and exit", &P::Command16},

    // The bottom row: the selector pictures stand in front of the option
    // buttons they choose, which the operator therefore never sees; Use
    // and Stop share a place, Use in front.
    {K::Option, "Option1", nullptr, 480, 3600, 615, 255, nullptr, "CW Ident"},
    {K::Option, "Option2", nullptr, 1680, 3480, 495, 255, nullptr, "Audio Ident"},
    {K::Selector, "Picture18", nullptr, 120, 3600, 1335, 375, "select_cw", "CW Ident", &P::Picture18},
    {K::Selector, "Picture13", nullptr, 1560, 3480, 615, 615, "select_audio", "Audio Ident", &P::Picture13},
    {K::Button, "Command15", nullptr, 2400, 3600, 495, 375, "button_stop", "Stop Tailchime", &P::Command15},
    {K::Button, "Command14", nullptr, 2400, 3600, 495, 375, "button_use", "Use Tailchime", &P::Command14},
    {K::Button, "Command12", nullptr, 3000, 3600, 495, 375, "button_about", "About", &P::Command12},
    {K::Button, "Command17", nullptr, 3600, 3600, 495, 375, "button_timing", "Timing Tools", &P::Command17},
    {K::Button, "Command18", nullptr, 4200, 3600, 615, 375, "button_save", "Save", &P::Command18},
};

}  // namespace

std::span<const PlacedControl> mainWindowLayout() { return kLayout; }

}  // namespace tc
