#include "broker/Messages.h"

#include <cctype>
#include <nlohmann/json.hpp>

namespace tc::broker {

using nlohmann::json;

std::optional<std::string> eventJson(const StationEvent& e) {
    json j;
    if (auto* o = std::get_if<event::OverEnded>(&e)) {
        j = {{"event", "over"},
             {"source", o->internet ? "internet" : "rf"},
             {"kind", o->counted ? "counted" : "kerchunk"},
             {"seconds", (o->endMs - o->startMs) / 1000.0}};
    } else if (auto* i = std::get_if<event::IdentEnded>(&e)) {
        j = {{"event", "ident"},
             {"kind", i->ident.audio ? "audio" : "cw"},
             {"what", i->ident.what},
             {"trigger", i->ident.courtesy() ? "courtesy" : "test"},
             {"asker", askerName(i->ident.asker)},
             {"rendered", i->ident.rendered},
             {"seconds", (i->endMs - i->startMs) / 1000.0}};
    } else if (auto* t = std::get_if<event::Transmitter>(&e)) {
        j = {{"event", "transmitter"}, {"keyed", t->keyed}};
    } else if (auto* s = std::get_if<event::Switched>(&e)) {
        j = {{"event", "switch"}, {"on", s->on}};
    } else if (auto* m = std::get_if<event::IdentMode>(&e)) {
        j = {{"event", "ident-mode"}, {"mode", m->audio ? "audio" : "cw"}};
    } else if (auto* t = std::get_if<event::Timings>(&e)) {
        j = {{"event", "timings"}, {"hang", t->hangMs}, {"kerchunk", t->kerchunkMs}};
    } else if (auto* l = std::get_if<event::Levels>(&e)) {
        j = {{"event", "levels"}, {"volume", l->volume}, {"speed", l->speed}};
    } else if (auto* s = std::get_if<event::SettingsSaved>(&e)) {
        j = {{"event", "settings-saved"}, {"written", s->written}};
    } else if (auto* r = std::get_if<event::Radio>(&e)) {
        static const char* const kinds[] = {"opened", "lost", "timed-out", "note"};
        j = {{"event", "radio"}, {"kind", kinds[r->kind]}, {"text", r->text}};
    } else {
        return std::nullopt;
    }
    return j.dump();
}

namespace {

// Home Assistant's ids: letters, digits and underscores.
std::string idOf(const std::string& callsign) {
    std::string id = "tailchime_";
    for (unsigned char c : callsign) id += std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '_';
    return id;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> discovery(const std::string& topic, const std::string& callsign,
                                                           const std::string& version, bool control) {
    const std::string node = idOf(callsign);
    const json device = {{"identifiers", {node}},
                         {"name", callsign},
                         {"model", "Tailchime"},
                         {"manufacturer", "Tailchime"},
                         {"sw_version", version}};
    auto config = [&](const std::string& name, const std::string& object, json extra) {
        extra["name"] = name;
        extra["unique_id"] = node + "_" + object;
        extra["object_id"] = node + "_" + object;
        extra["state_topic"] = topic + "/state";
        extra["availability_topic"] = topic + "/status";
        extra["device"] = device;
        return extra.dump();
    };
    std::vector<std::pair<std::string, std::string>> configs;
    const std::pair<const char*, const char*> lamps[] = {
        {"kerchunker", "Anti-kerchunker clear"}, {"rf", "RF user"}, {"internet", "Internet user"}, {"ptt", "PTT"}};
    for (const auto& [lamp, name] : lamps)
        configs.emplace_back("homeassistant/binary_sensor/" + node + "/" + lamp + "/config",
                             config(name, lamp,
                                    {{"value_template", std::string("{{ 'ON' if value_json.lamps.") + lamp +
                                                            " else 'OFF' }}"}}));
    const std::pair<const char*, const char*> counts[] = {
        {"overs", "Overs today"}, {"kerchunks", "Kerchunks today"}, {"courtesies", "Courtesies today"}};
    for (const auto& [count, name] : counts)
        configs.emplace_back("homeassistant/sensor/" + node + "/" + count + "/config",
                             config(name, count,
                                    {{"value_template", std::string("{{ value_json.today.") + count + " }}"},
                                     {"state_class", "total_increasing"}}));
    configs.emplace_back("homeassistant/sensor/" + node + "/tx_minutes/config",
                         config("Transmitter minutes today", "tx_minutes",
                                {{"value_template", "{{ (value_json.today.tx_seconds / 60) | round(1) }}"},
                                 {"unit_of_measurement", "min"},
                                 {"state_class", "total_increasing"}}));
    const std::string switchTopic = "homeassistant/switch/" + node + "/on/config";
    if (control)
        configs.emplace_back(switchTopic, config("Courtesy idents", "on",
                                                 {{"command_topic", topic + "/set"},
                                                  {"payload_on", R"({"action":"on"})"},
                                                  {"payload_off", R"({"action":"off"})"},
                                                  {"value_template", "{{ 'ON' if value_json.on else 'OFF' }}"},
                                                  {"state_on", "ON"},
                                                  {"state_off", "OFF"}}));
    else
        configs.emplace_back(switchTopic, "");
    return configs;
}

}  // namespace tc::broker
