#include "transmit/sound/VirtualTransport.h"

#include <algorithm>
#include <cmath>

namespace tc::sound {

// Shared with the posted end event, which may outlive the transport.
struct VirtualTransport::Play {
    std::string path;
    StreamLength length;
    bool running = false;
    bool ended = false;       // the end was announced; cleared by a seek
    std::int64_t anchor = 0;  // position at anchorMs
    std::int64_t anchorMs = 0;
    double rate = 1.0;
    std::uint64_t endTicket = 0;  // the one end event that may still fire
};

VirtualTransport::VirtualTransport(EventLoop& loop, PlaybackListener* listener)
    : loop_(loop), listener_(listener), play_(std::make_shared<Play>()) {}

StreamLength VirtualTransport::render(const std::string& path) {
    play_->length = measureAudio(path);
    play_->path = path;
    return play_->length;
}

void VirtualTransport::run() {
    if (play_->running) return;
    play_->running = true;
    play_->anchorMs = loop_.nowMs();
    scheduleEnd();
}

void VirtualTransport::stop() {
    if (!play_->running) return;
    play_->anchor = position();
    play_->running = false;
    ++play_->endTicket;
}

std::int64_t VirtualTransport::position() {
    const Play& p = *play_;
    if (!p.running) return p.anchor;
    return std::min(p.length.frames, p.anchor + framesIn(loop_.nowMs() - p.anchorMs));
}

void VirtualTransport::seek(std::int64_t frame) {
    play_->anchor = frame;
    play_->anchorMs = loop_.nowMs();
    play_->ended = false;
    if (play_->running) scheduleEnd();
}

void VirtualTransport::setRate(double rate) {
    if (play_->running) {
        play_->anchor = position();
        play_->anchorMs = loop_.nowMs();
    }
    play_->rate = rate;
    if (play_->running) scheduleEnd();
}

std::int64_t VirtualTransport::framesIn(std::int64_t ms) const {
    return static_cast<std::int64_t>(
        std::floor(static_cast<double>(ms) * play_->rate * play_->length.sampleRate / 1000.0));
}

// The end falls on the first millisecond whose position, computed exactly as
// position() does, reaches the length: the estimate is corrected against
// that same computation so the two can never disagree by rounding.
void VirtualTransport::scheduleEnd() {
    std::uint64_t ticket = ++play_->endTicket;
    if (play_->ended) return;
    std::int64_t remaining = play_->length.frames - play_->anchor;
    std::int64_t ms = 0;
    if (remaining > 0) {
        ms = static_cast<std::int64_t>(
            std::ceil(static_cast<double>(remaining) * 1000.0 / (play_->rate * play_->length.sampleRate)));
        while (ms > 0 && framesIn(ms - 1) >= remaining) --ms;
        while (framesIn(ms) < remaining) ++ms;
    }
    std::weak_ptr<Play> weak = play_;
    PlaybackListener* listener = listener_;
    loop_.post(play_->anchorMs + ms, Lane::Device, [weak, ticket, listener] {
        auto p = weak.lock();
        if (!p || p->endTicket != ticket) return;
        p->ended = true;
        p->anchor = p->length.frames;
        p->anchorMs = 0;
        if (listener) listener->played(p->path);
    });
}

}  // namespace tc::sound
