#include "web/PlainWords.h"

#include <cstdio>
#include <ctime>

namespace tc {

namespace {

std::string seconds(std::int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
    return text;
}

std::string ident(const event::Ident& i) {
    std::string words = std::string(i.courtesy() ? "Courtesy " : "Test ") + (i.audio ? "audio" : "CW") + " ident " + i.what;
    if (!i.courtesy()) words += std::string(" (asked by the ") + askerName(i.asker) + ")";
    return words;
}

}  // namespace

std::optional<std::string> plainWords(const StationEvent& e) {
    if (auto* c = std::get_if<event::Carrier>(&e)) return c->present ? "RF carrier up" : "RF carrier down";
    if (auto* a = std::get_if<event::InternetAudio>(&e)) return a->on ? "Internet audio on" : "Internet audio off";
    if (auto* o = std::get_if<event::OverEnded>(&e)) {
        const std::string length = seconds(o->endMs - o->startMs);
        if (o->internet) return "Internet over of " + length;
        return o->counted ? "RF over of " + length + ", counted" : "RF kerchunk of " + length + ", not counted";
    }
    if (auto* s = std::get_if<event::IdentStarted>(&e))
        return ident(s->ident) + (s->ident.rendered ? "" : ": it did not go out");
    if (auto* t = std::get_if<event::Transmitter>(&e)) return t->keyed ? "Transmitter keyed" : "Transmitter released";
    if (auto* s = std::get_if<event::Switched>(&e))
        return s->on ? "Switched on" : "Switched off: no courtesy idents until switched on";
    if (auto* m = std::get_if<event::IdentMode>(&e)) return m->audio ? "Idents are audio files" : "Idents are CW";
    if (auto* t = std::get_if<event::Timings>(&e))
        return "Hang time " + std::to_string(t->hangMs) + " ms, anti-kerchunker " + std::to_string(t->kerchunkMs) + " ms";
    if (auto* s = std::get_if<event::SettingsSaved>(&e))
        return s->written ? "Settings saved" : "The settings could not be saved to " + s->where;
    if (std::holds_alternative<event::ChatAnswered>(e)) return "Answered /ver/ in the chat";
    if (std::holds_alternative<event::HostClosing>(e)) return "The host is closing: the station ends";
    if (auto* r = std::get_if<event::Radio>(&e)) return "Radio: " + r->text;
    return std::nullopt;
}

std::string timeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

}  // namespace tc
