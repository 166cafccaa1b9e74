#include "headless/TranscriptWriter.h"

#include "app/Form21.h"
#include "app/NumberText.h"

namespace tc {

void TranscriptWriter::attach(Form21& form) {
    form.panel.listener = this;
    form.settings.onSaved([this] { t_.line("save"); });
    form.transmit.onStarted([this](const std::string& path, long volume, double rate) {
        t_.line("play " + Transcript::quoted(path) + " volume=" + std::to_string(volume) + " rate=" + numberText(rate));
    });
}

std::function<void(const std::string&)> TranscriptWriter::reportLine() {
    return [this](const std::string& body) { t_.line("report " + Transcript::quoted(body)); };
}

void TranscriptWriter::indicatorChanged(const Indicator& i) {
    if (trace_) t_.line(std::string("indicator ") + i.name() + " " + Transcript::quoted(i.text()) + " " + i.back().name());
}

}  // namespace tc
