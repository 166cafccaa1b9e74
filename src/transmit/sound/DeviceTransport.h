#pragma once
#include <memory>

#include "app/EventLoop.h"
#include "transmit/PlaybackListener.h"
#include "transmit/sound/PlayHead.h"
#include "transmit/sound/SdlOutput.h"
#include "transmit/sound/Transport.h"

namespace tc::sound {

// Playback on the default sound output. The device's thread moves the play
// head; the logic thread looks at it every few milliseconds and, when the
// end has been reached, posts the announcement in the device lane.
class DeviceTransport final : public Transport {
public:
    DeviceTransport(EventLoop& loop, PlaybackListener* listener);

    StreamLength render(const std::string& path) override;
    void run() override { head_->run(); }
    void stop() override { head_->stop(); }
    std::int64_t position() override { return head_->position(); }
    void seek(std::int64_t frame) override { head_->seek(frame); }
    void setGain(double gain) override { head_->setGain(gain); }
    void setRate(double rate) override { head_->setRate(rate); }

private:
    void announceEnd();

    EventLoop& loop_;
    PlaybackListener* listener_;
    std::string path_;
    std::unique_ptr<PlayHead> head_;
    std::unique_ptr<SdlOutput> output_;  // closed before the head goes
    std::unique_ptr<Timer> watch_;
    std::uint64_t announced_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tc::sound
