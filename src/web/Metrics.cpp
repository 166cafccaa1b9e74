#include "web/Metrics.h"

#include <cstdio>

namespace tc {

Metrics::Metrics(StationEvents& events, event::Status status, std::string version)
    : version_(std::move(version)), status_(std::move(status)) {
    following_ = events.subscribe([this](const StationEvent& e, std::int64_t atMs) { told(e, atMs); });
}

void Metrics::told(const StationEvent& e, std::int64_t atMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto* o = std::get_if<event::OverEnded>(&e)) {
        ++overs_[(o->internet ? 2 : 0) + (o->counted ? 0 : 1)];
    } else if (auto* i = std::get_if<event::IdentStarted>(&e)) {
        ++idents_[(i->ident.audio ? 2 : 0) + (i->ident.courtesy() ? 0 : 1)];
    } else if (auto* t = std::get_if<event::Transmitter>(&e)) {
        if (t->keyed) {
            keyedAt_ = atMs;
        } else if (keyedAt_ >= 0) {
            transmitMs_ += atMs - keyedAt_;
            keyedAt_ = -1;
        }
    } else if (auto* s = std::get_if<event::Status>(&e)) {
        status_ = *s;
    }
}

void Metrics::alert(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++alerts_[name];
}

namespace {

// A label value as the exposition format quotes it.
std::string label(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\' || c == '"') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

void family(std::string& out, const char* name, const char* type, const char* help) {
    out += std::string("# HELP ") + name + " " + help + "\n# TYPE " + name + " " + type + "\n";
}

}  // namespace

std::string Metrics::text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string out;
    family(out, "tailchime_overs_total", "counter", "Overs ended since the program started.");
    const char* sources[] = {"rf", "internet"};
    const char* kinds[] = {"counted", "kerchunk"};
    for (int i = 0; i < 4; ++i)
        out += std::string("tailchime_overs_total{source=\"") + sources[i / 2] + "\",kind=\"" + kinds[i % 2] + "\"} " +
               std::to_string(overs_[i]) + "\n";
    family(out, "tailchime_idents_total", "counter", "Idents sent since the program started.");
    const char* identKinds[] = {"cw", "audio"};
    const char* triggers[] = {"courtesy", "test"};
    for (int i = 0; i < 4; ++i)
        out += std::string("tailchime_idents_total{kind=\"") + identKinds[i / 2] + "\",trigger=\"" + triggers[i % 2] +
               "\"} " + std::to_string(idents_[i]) + "\n";
    family(out, "tailchime_transmit_seconds_total", "counter", "Seconds the transmitter was keyed.");
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", transmitMs_ / 1000.0);
    out += std::string("tailchime_transmit_seconds_total ") + seconds + "\n";
    family(out, "tailchime_alerts_total", "counter", "Alerts told since the program started.");
    for (const auto& [name, count] : alerts_)
        out += "tailchime_alerts_total{alert=\"" + label(name) + "\"} " + std::to_string(count) + "\n";
    family(out, "tailchime_lamp", "gauge", "The panel's lamps: 1 lit.");
    const std::pair<const char*, bool> lamps[] = {{"kerchunker", status_.lampKerchunker},
                                                  {"rf", status_.lampRf},
                                                  {"internet", status_.lampInternet},
                                                  {"ptt", status_.lampPtt}};
    for (const auto& [name, lit] : lamps)
        out += std::string("tailchime_lamp{lamp=\"") + name + "\"} " + (lit ? "1" : "0") + "\n";
    family(out, "tailchime_on", "gauge", "1 while the station sends courtesy idents.");
    out += std::string("tailchime_on ") + (status_.on ? "1" : "0") + "\n";
    family(out, "tailchime_transmitter_keyed", "gauge", "1 while the transmitter is keyed.");
    out += std::string("tailchime_transmitter_keyed ") + (keyedAt_ >= 0 ? "1" : "0") + "\n";
    family(out, "tailchime_info", "gauge", "The station's call sign and the program's version.");
    out += "tailchime_info{callsign=\"" + label(status_.callsign) + "\",version=\"" + label(version_) + "\"} 1\n";
    return out;
}

}  // namespace tc
