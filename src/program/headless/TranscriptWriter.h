#pragma once
#include <string>

#include "core/PlaybackListener.h"
#include "core/StationEvents.h"
#include "core/HostListener.h"
#include "core/Transcript.h"
#include "ui/Controls.h"

namespace tc {

class Panel;

// Writes what the program and the station do to a transcript: the host's
// keying, CW and chat, the caption, the indicators (when traced), the
// transmissions and their ends, the saves and the usage report.
class TranscriptWriter : public HostListener, public PanelListener, public PlaybackListener {
public:
    TranscriptWriter(Transcript& t, bool trace) : t_(t), trace_(trace) {}

    // Follows the program's own doings: its panel and its events.
    void attach(Panel& panel, StationEvents& events);

    void transmitterChanged(bool keyed) override { t_.line(keyed ? "tx on" : "tx off"); }
    void cwSent(const std::string& text) override { t_.line("cw " + Transcript::quoted(text)); }
    void chatSent(const std::string& text) override { t_.line("chat " + Transcript::quoted(text)); }
    void captionChanged(const std::string& text) override { t_.line("caption " + Transcript::quoted(text)); }
    void indicatorChanged(const Indicator& i) override;
    void played(const std::string& path) override { t_.line("played " + Transcript::quoted(path)); }

private:
    void told(const StationEvent& e);

    Transcript& t_;
    bool trace_;
    StationEvents::Subscription following_;
};

}  // namespace tc
