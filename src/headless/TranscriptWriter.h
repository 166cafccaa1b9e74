#pragma once
#include <functional>
#include <string>

#include "headless/Transcript.h"
#include "hostlink/SimulatedStation.h"
#include "transmit/PlaybackListener.h"
#include "ui/Controls.h"

namespace tc {

class Form21;

// Writes what the program and the station do to a transcript: the station's
// keying, CW and chat, the caption, the indicators (when traced), the
// transmissions and their ends, the saves and the usage report.
class TranscriptWriter : public StationListener, public PanelListener, public PlaybackListener {
public:
    TranscriptWriter(Transcript& t, bool trace) : t_(t), trace_(trace) {}

    // Follows the program's own doings in form.
    void attach(Form21& form);
    // What the usage report calls with the body it posted.
    std::function<void(const std::string&)> reportLine();

    void transmitterChanged(bool keyed) override { t_.line(keyed ? "tx on" : "tx off"); }
    void cwSent(const std::string& text) override { t_.line("cw " + Transcript::quoted(text)); }
    void chatSent(const std::string& text) override { t_.line("chat " + Transcript::quoted(text)); }
    void captionChanged(const std::string& text) override { t_.line("caption " + Transcript::quoted(text)); }
    void indicatorChanged(const Indicator& i) override;
    void played(const std::string& path) override { t_.line("played " + Transcript::quoted(path)); }

private:
    Transcript& t_;
    bool trace_;
};

}  // namespace tc
