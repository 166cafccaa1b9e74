#include "ui/Panel.h"

namespace tc {

Panel::Panel(EventLoop& loop)
    : Timer1(loop.newTimer(100, true)),
      Timer3(loop.newTimer(100, true)),
      Timer4(loop.newTimer(100, true)),
      Kerchunker(loop.newTimer(2000, false)),
      KickBackCheck(loop.newTimer(500, false)) {}

void Panel::setCaption(const std::string& text) {
    caption_ = text;
    if (listener) listener->captionChanged(caption_);
}

}  // namespace tc
