#include "transmit/sound/DeviceTransport.h"

namespace tc::sound {

namespace {

constexpr int kRampMs = 5;    // fades that keep starts, stops and seeks from clicking
constexpr int kWatchMs = 10;  // how often the logic looks for the end

}  // namespace

DeviceTransport::DeviceTransport(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

StreamLength DeviceTransport::render(const std::string& path) {
    auto source = openAudio(path);
    StreamLength length{source->sampleRate(), source->frames()};
    auto head = std::make_unique<PlayHead>(std::move(source), length.sampleRate * kRampMs / 1000);
    output_ = std::make_unique<SdlOutput>(length.sampleRate, *head);
    head_ = std::move(head);
    path_ = path;
    watch_ = loop_.newTimer(kWatchMs, true);
    watch_->onTick = [this] { announceEnd(); };
    return length;
}

void DeviceTransport::announceEnd() {
    std::uint64_t endings = head_->endings();
    if (endings == announced_) return;
    announced_ = endings;
    if (!listener_) return;
    std::weak_ptr<bool> alive = alive_;
    loop_.post(loop_.nowMs(), Lane::Device, [alive, listener = listener_, path = path_] {
        if (alive.lock()) listener->played(path);
    });
}

}  // namespace tc::sound
