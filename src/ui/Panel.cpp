#include "ui/Panel.h"

namespace tc {

// The three 100 ms timers run once start-up has made the host object and
// set the registers (Startup enables them): a tick before, inside the box
// that refuses a second copy, would find no host object, and one inside the
// Sysop-mode box registers that differ and key the transmitter.
Panel::Panel(EventLoop& loop)
    : Timer1(loop.newTimer(100, false)),
      Timer3(loop.newTimer(100, false)),
      Timer4(loop.newTimer(100, false)),
      Kerchunker(loop.newTimer(2000, false)),
      KickBackCheck(loop.newTimer(500, false)) {}

void Panel::setCaption(const std::string& text) {
    caption_ = text;
    if (listener) listener->captionChanged(caption_);
}

}  // namespace tc
