#include "web/StationView.h"

#include "app/Form21.h"
#include "web/Json.h"

namespace tc {

StationView StationView::of(const Form21& form) {
    const Panel& p = form.panel;
    StationView v;
    v.callsign = p.Callsign.text;
    v.on = p.Check1.value == 1;
    v.audio = !p.Options.Option1;
    v.ptt = p.PTT.text() == "PTT ON";
    v.lampKerchunker = p.Picture26.visible;
    v.lampRf = p.Picture27.visible;
    v.lampInternet = p.Picture28.visible;
    v.lampPtt = p.Picture29.visible;
    v.antenna = p.Ant1.visible ? 1 : p.Ant2.visible ? 2 : p.Ant3.visible ? 3 : 0;
    v.identRf = v.audio ? p.RFTone.text : p.CourtesyID.text;
    v.identInternet = v.audio ? p.InetTone.text : p.IPCourtesy.text;
    v.hangMs = p.KickBackCheck->interval();
    v.kerchunkMs = p.Kerchunker->interval();
    return v;
}

std::string stateJson(const StationView& v, const history::Tally& today) {
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
