#include "web/StateJson.h"

#include "web/Json.h"

namespace tc {

std::string stateJson(const event::Status& v, const history::Tally& today) {
    auto flag = [](bool b) { return b ? "true" : "false"; };
    std::string j = "{\"callsign\":" + json::quote(v.callsign);
    j += ",\"on\":" + std::string(flag(v.on));
    j += ",\"mode\":" + std::string(v.audio ? "\"audio\"" : "\"cw\"");
    j += ",\"ptt\":" + std::string(flag(v.ptt));
    j += ",\"lamps\":{\"kerchunker\":" + std::string(flag(v.lampKerchunker)) + ",\"rf\":" + flag(v.lampRf) +
         ",\"internet\":" + flag(v.lampInternet) + ",\"ptt\":" + flag(v.lampPtt) + "}";
    j += ",\"antenna\":" + std::to_string(v.antenna);
    j += ",\"idents\":{\"rf\":" + json::quote(v.identRf) + ",\"internet\":" + json::quote(v.identInternet) + "}";
    j += ",\"timings\":{\"hang\":" + std::to_string(v.hangMs) + ",\"kerchunk\":" + std::to_string(v.kerchunkMs) + "}";
    j += ",\"today\":{\"overs\":" + std::to_string(today.overs) + ",\"kerchunks\":" + std::to_string(today.kerchunks) +
         ",\"courtesies\":" + std::to_string(today.courtesies) +
         ",\"tx_seconds\":" + std::to_string((today.txMs + 500) / 1000) + "}}";
    return j;
}

}  // namespace tc
