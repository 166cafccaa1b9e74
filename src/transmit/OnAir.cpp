#include "transmit/OnAir.h"

#include "core/HostRef.h"

namespace tc {

void OnAir::sendCw(HostRef& host, const std::string& text, Asker asker) {
    try {
        host->SendCW(0, text);
    } catch (...) {
        identSent(false, text, false, asker);
        throw;
    }
    identSent(false, text, true, asker);
}

void OnAir::identSent(bool audio, const std::string& what, bool rendered, Asker asker) {
    event::Ident ident{audio, what, rendered, asker};
    events_.raise(event::IdentStarted{ident});
    const std::int64_t now = events_.nowMs();
    if (rendered)
        airing_.push_back({std::move(ident), now});
    else
        events_.raise(event::IdentEnded{std::move(ident), now, now});
}

void OnAir::transmitterRead(bool keyed) {
    if (keyed == keyed_) return;
    keyed_ = keyed;
    events_.raise(event::Transmitter{keyed});
    if (keyed) return;
    const std::int64_t now = events_.nowMs();
    std::vector<Airing> ended;
    ended.swap(airing_);
    for (Airing& a : ended) events_.raise(event::IdentEnded{std::move(a.ident), a.startMs, now});
}

}  // namespace tc
