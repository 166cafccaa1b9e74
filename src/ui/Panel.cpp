#include "ui/Panel.h"

namespace tc {

// The three 100 ms timers run from the moment start-up has made the host
// object (Startup enables them): a tick before it, inside the box that
// refuses a second copy, would find no host object.
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
