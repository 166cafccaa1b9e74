#include "program/headless/TranscriptWriter.h"

#include "core/NumberText.h"
#include "ui/Panel.h"

namespace tc {

void TranscriptWriter::attach(Panel& panel, StationEvents& events) {
    panel.listener = this;
    following_ = events.subscribe([this](const StationEvent& e, std::int64_t) { told(e); });
}

void TranscriptWriter::told(const StationEvent& e) {
    if (auto* saved = std::get_if<event::SettingsSaved>(&e)) {
        if (saved->written) t_.line("save");
    } else if (auto* play = std::get_if<event::Playing>(&e)) {
        t_.line("play " + Transcript::quoted(play->file) + " volume=" + std::to_string(play->volume) +
                " rate=" + numberText(play->rate));
    } else if (auto* report = std::get_if<event::ReportSent>(&e)) {
        t_.line("report " + Transcript::quoted(report->body));
    }
}

void TranscriptWriter::indicatorChanged(const Indicator& i) {
    if (trace_) t_.line(std::string("indicator ") + i.name() + " " + Transcript::quoted(i.text()) + " " + i.back().name());
}

}  // namespace tc
