#pragma once
#include <string>

#include "core/Transcript.h"
#include "core/HostListener.h"

namespace tc {

// What a radio tells of itself, for the log of a station with a radio: the
// carrier as the radio hears it and the radio's own news (opened, lost,
// the transmitter timed out).
class RadioLog : public HostListener {
public:
    explicit RadioLog(Transcript& t) : t_(t) {}
    void carrierChanged(bool present) override { t_.line(present ? "carrier up" : "carrier down"); }
    void radioNotice(const event::Radio& news) override { t_.line("radio " + Transcript::quoted(news.text)); }

private:
    Transcript& t_;
};

}  // namespace tc
