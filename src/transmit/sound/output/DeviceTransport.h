#pragma once
#include <memory>

#include "core/EventLoop.h"
#include "core/PlaybackListener.h"
#include "transmit/sound/PlayHead.h"
#include "transmit/sound/Transport.h"

namespace tc::sound {

// Playback on the program's sound output. The output's thread moves the
// play head; while the head runs, the logic thread looks at it every few
// milliseconds and, when the end has been reached, posts the announcement
// in the device lane. A reading of the position that finds an end not yet
// announced announces it at once, before the reader acts on it (the
// supervisor releasing the transmitter). A head that stands still costs no
// wake-ups.
class DeviceTransport final : public Transport {
public:
    DeviceTransport(EventLoop& loop, PlaybackListener* listener);
    ~DeviceTransport() override;

    StreamLength render(const std::string& path) override;
    void run() override;
    void stop() override { head_->stop(); }
    std::int64_t position() override;
    void seek(std::int64_t frame) override;
    void setGain(double gain) override { head_->setGain(gain); }
    void setRate(double rate) override { head_->setRate(rate); }

private:
    void watch();

    EventLoop& loop_;
    PlaybackListener* listener_;
    std::string path_;
    std::shared_ptr<PlayHead> head_;
    std::unique_ptr<Timer> watch_;
    std::uint64_t announced_ = 0;
    int quietLooks_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tc::sound
