#pragma once
#include <string>

#include "history/Tally.h"

namespace tc {

class Form21;

// The station as the page shows it: what the main window shows of it,
// read from the panel on the logic thread and handed, as a copy, to the
// server's threads.
struct StationView {
    std::string callsign;
    bool on = false;
    bool audio = false;  // the ident mode: CW or audio
    bool ptt = false;
    bool lampKerchunker = false, lampRf = false, lampInternet = false, lampPtt = false;
    int antenna = 0;  // the antenna's frame, 0 to 3
    std::string identRf, identInternet;  // the CW texts, or the tone files in audio mode
    int hangMs = 0, kerchunkMs = 0;

    static StationView of(const Form21& form);
    bool operator==(const StationView&) const = default;
};

// /api/state's answer.
std::string stateJson(const StationView& view, const history::Tally& today);

}  // namespace tc
