#pragma once
#include <string_view>

namespace tc::win32 {

// The child-window identifiers of the main window's controls, by their
// design names. Tools that drive the window from outside (the tests) find
// a control by its name through this table.
inline constexpr struct {
    std::string_view name;
    int id;
} kControlIds[] = {
    {"Frame7", 100},     {"Picture21", 101},  {"Picture26", 102}, {"Picture22", 103},  {"Picture27", 104},
    {"Picture23", 105},  {"Picture28", 106},  {"Picture24", 107}, {"Picture29", 108},  {"Picture14", 109},
    {"Picture16", 110},  {"Picture19", 111},  {"Picture20", 112}, {"Picture25", 113},  {"Ant0", 114},
    {"Ant1", 115},       {"Ant2", 116},       {"Ant3", 117},      {"Picture3", 118},   {"Picture4", 119},
    {"Frame2", 120},     {"Picture12", 121},  {"CourtesyID", 122}, {"Command10", 123}, {"Picture8", 124},
    {"IPCourtesy", 125}, {"Command11", 126},  {"Picture17", 127}, {"Frame5", 130},     {"Picture11", 131},
    {"RFTone", 132},     {"Command1", 133},   {"Command7", 134},  {"Picture9", 135},   {"InetTone", 136},
    {"Command6", 137},   {"Command8", 138},   {"Picture15", 139}, {"Frame11", 140},    {"Picture6", 141},
    {"Label14", 142},    {"Label15", 143},    {"Label4", 144},    {"V1", 145},         {"Frame6", 150},
    {"Picture1", 151},   {"HangTime", 152},   {"Label21", 153},   {"Picture2", 154},   {"KerchunkWait", 155},
    {"Label20", 156},    {"Picture7", 157},   {"Command16", 158}, {"Option1", 160},    {"Option2", 161},
    {"Picture18", 162},  {"Picture13", 163},  {"Command15", 164}, {"Command14", 165},  {"Command12", 166},
    {"Command17", 167},  {"Command18", 168},
};

constexpr int controlId(std::string_view name) {
    for (const auto& c : kControlIds)
        if (c.name == name) return c.id;
    return 0;
}

constexpr std::string_view controlName(int id) {
    for (const auto& c : kControlIds)
        if (c.id == id) return c.name;
    return {};
}

}  // namespace tc::win32
