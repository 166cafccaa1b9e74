#pragma once
#include <memory>

#include "core/EventLoop.h"
#include "core/PlaybackListener.h"
#include "transmit/sound/Transport.h"

namespace tc::sound {

// Playback on the logic thread's clock, for runs on virtual time: nothing
// is heard, the position moves with the clock times the rate from the
// moment of Run, and the end is announced at the millisecond the position
// first reaches the length, as an event in the device lane. Changing
// anything that moves the end withdraws the announcement and posts a new one.
class VirtualTransport final : public Transport {
public:
    VirtualTransport(EventLoop& loop, PlaybackListener* listener);

    StreamLength render(const std::string& path) override;
    void run() override;
    void stop() override;
    std::int64_t position() override;
    void seek(std::int64_t frame) override;
    void setGain(double) override {}
    void setRate(double rate) override;

private:
    struct Play;
    std::int64_t framesIn(std::int64_t ms) const;
    void scheduleEnd();

    EventLoop& loop_;
    PlaybackListener* listener_;
    std::shared_ptr<Play> play_;
};

}  // namespace tc::sound
