#include "transmit/sound/output/DeviceTransport.h"

#include "transmit/sound/output/PlayableFile.h"
#include "transmit/sound/output/SoundDevice.h"

namespace tc::sound {

namespace {

constexpr int kRampMs = 5;    // fades that keep starts, stops and seeks from clicking
constexpr int kWatchMs = 10;  // how often the logic looks for the end while a head runs
// A stopped head may still reach its end while it fades out, up to a device
// period later: the watch rests only after this many quiet looks.
constexpr int kQuietLooks = 10;

}  // namespace

DeviceTransport::DeviceTransport(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

DeviceTransport::~DeviceTransport() {
    if (head_) SoundDevice::shared().remove(std::move(head_));
}

StreamLength DeviceTransport::render(const std::string& path) {
    SoundDevice& device = SoundDevice::shared();
    device.check();
    auto source = openAudio(path);
    StreamLength length{source->sampleRate(), source->frames()};
    head_ = std::make_shared<PlayHead>(std::move(source), SoundDevice::kRate * kRampMs / 1000, SoundDevice::kRate);
    device.add(head_);
    path_ = path;
    watch_ = loop_.newTimer(kWatchMs, false);
    watch_->onTick = [this] { watch(); };
    return length;
}

void DeviceTransport::run() {
    head_->run();
    quietLooks_ = 0;
    SoundDevice::shared().wake();
    watch_->setEnabled(true);
}

void DeviceTransport::seek(std::int64_t frame) {
    head_->seek(frame);
    if (head_->wantsOutput()) run();
}

std::int64_t DeviceTransport::position() {
    const std::int64_t at = head_->position();
    const std::uint64_t endings = head_->endings();
    if (endings != announced_) {
        announced_ = endings;
        if (listener_) listener_->played(path_);
    }
    return at;
}

// Announces each end once; once the head no longer runs, the watch rests
// until the next run or seek.
void DeviceTransport::watch() {
    const bool quiet = !head_->wantsOutput();
    std::uint64_t endings = head_->endings();
    if (endings == announced_) {
        if (quiet && ++quietLooks_ >= kQuietLooks) watch_->setEnabled(false);
        return;
    }
    quietLooks_ = 0;
    announced_ = endings;
    if (!listener_) return;
    std::weak_ptr<bool> alive = alive_;
    loop_.post(loop_.nowMs(), Lane::Device, [alive, listener = listener_, path = path_] {
        if (alive.lock()) listener->played(path);
    });
}

}  // namespace tc::sound
