#pragma once
// The main window's controls where the window design puts them, for the
// panel driver's layout step.

struct Expected {
    const char* name;
    const char* parent;  // nullptr: the window itself
    const char* cls;
    int left, top, width, height;  // twips
    const char* text;              // nullptr: not compared
};

// The main window's layout, from the window design (twips, relative to the container).
inline constexpr Expected kLayout[] = {
    {"Frame7", nullptr, "TailchimeFrame", 120, 120, 4815, 1095, ""},
    {"Picture26", "Frame7", "Static", 1080, 240, 375, 375, nullptr},
    {"Picture21", "Frame7", "Static", 1080, 240, 375, 375, nullptr},
    {"Picture27", "Frame7", "Static", 1800, 240, 375, 375, nullptr},
    {"Picture22", "Frame7", "Static", 1800, 240, 375, 375, nullptr},
    {"Picture28", "Frame7", "Static", 2520, 240, 375, 375, nullptr},
    {"Picture23", "Frame7", "Static", 2520, 240, 375, 375, nullptr},
    {"Picture29", "Frame7", "Static", 3240, 240, 375, 375, nullptr},
    {"Picture24", "Frame7", "Static", 3240, 240, 375, 375, nullptr},
    {"Picture14", "Frame7", "Static", 1080, 600, 375, 375, nullptr},
    {"Picture16", "Frame7", "Static", 1800, 600, 375, 375, nullptr},
    {"Picture19", "Frame7", "Static", 2520, 600, 375, 375, nullptr},
    {"Picture20", "Frame7", "Static", 3240, 600, 375, 375, nullptr},
    {"Picture25", "Frame7", "Static", 120, 240, 735, 735, nullptr},
    {"Ant0", "Frame7", "Static", 3960, 240, 735, 735, nullptr},
    {"Ant1", "Frame7", "Static", 3960, 240, 735, 735, nullptr},
    {"Picture3", nullptr, "Static", 240, 360, 735, 735, nullptr},
    {"Picture4", nullptr, "Static", 240, 360, 735, 735, nullptr},
    {"Frame2", nullptr, "TailchimeFrame", 120, 1200, 4815, 2175, "CW ID"},
    {"Picture12", "Frame2", "Static", 1800, 600, 375, 375, nullptr},
    {"CourtesyID", "Frame2", "Edit", 2280, 600, 465, 330, nullptr},
    {"Command10", "Frame2", "Button", 3000, 600, 615, 375, ""},
    {"Picture8", "Frame2", "Static", 1800, 1200, 375, 375, nullptr},
    {"IPCourtesy", "Frame2", "Edit", 2280, 1200, 465, 315, nullptr},
    {"Command11", "Frame2", "Button", 3000, 1200, 615, 375, ""},
    {"Picture17", "Frame2", "Static", 240, 1320, 1335, 495, nullptr},
    {"Frame5", nullptr, "TailchimeFrame", 120, 1200, 4815, 2175, "Audio ID  -- wav - mp3"},
    {"Picture11", "Frame5", "Static", 240, 360, 375, 375, nullptr},
    {"RFTone", "Frame5", "Edit", 600, 360, 2535, 285, nullptr},
    {"Command1", "Frame5", "Button", 3360, 360, 615, 375, ""},
    {"Command7", "Frame5", "Button", 4080, 360, 615, 375, ""},
    {"Picture9", "Frame5", "Static", 240, 840, 375, 375, nullptr},
    {"InetTone", "Frame5", "Edit", 600, 840, 2535, 285, nullptr},
    {"Command6", "Frame5", "Button", 3360, 840, 615, 375, ""},
    {"Command8", "Frame5", "Button", 4080, 840, 615, 375, ""},
    {"Picture15", "Frame5", "Static", 360, 1320, 615, 615, nullptr},
    {"Frame11", "Frame5", "TailchimeFrame", 1320, 1200, 3375, 855, ""},
    {"Picture6", "Frame11", "Static", 120, 240, 495, 495, nullptr},
    {"V1", "Frame11", "ScrollBar", 840, 480, 2295, 135, nullptr},
    {"Label14", "Frame11", "Static", 840, 240, -1, -1, "0%"},
    {"Label15", "Frame11", "Static", 1800, 240, -1, -1, "50%"},
    {"Label4", "Frame11", "Static", 2640, 240, -1, -1, "100%"},
    {"Frame6", nullptr, "TailchimeFrame", 120, 1200, 4815, 2175, "Timings"},
    {"Picture1", "Frame6", "Static", 1560, 600, 375, 375, nullptr},
    {"HangTime", "Frame6", "Edit", 2040, 600, 705, 285, nullptr},
    {"Label21", "Frame6", "Static", 2880, 600, 255, 255, "ms"},
    {"Picture2", "Frame6", "Static", 1560, 1200, 375, 375, nullptr},
    {"KerchunkWait", "Frame6", "Edit", 2040, 1200, 705, 285, nullptr},
    {"Label20", "Frame6", "Static", 2880, 1200, 255, 255, "ms"},
    {"Picture7", "Frame6", "Static", 360, 1320, 735, 735, nullptr},
    {"Command16", "Frame6", "Button", 3480, 1560, 495, 375, ""},
    {"Picture18", nullptr, "Static", 120, 3600, 1335, 375, nullptr},
    {"Option1", nullptr, "Button", 480, 3600, 615, 255, ""},
    {"Picture13", nullptr, "Static", 1560, 3480, 615, 615, nullptr},
    {"Option2", nullptr, "Button", 1680, 3480, 495, 255, ""},
    {"Command14", nullptr, "Button", 2400, 3600, 495, 375, ""},
    {"Command15", nullptr, "Button", 2400, 3600, 495, 375, ""},
    {"Command12", nullptr, "Button", 3000, 3600, 495, 375, ""},
    {"Command17", nullptr, "Button", 3600, 3600, 495, 375, ""},
    {"Command18", nullptr, "Button", 4200, 3600, 615, 375, ""},
};
