// The Windows sound output of transmit/sound/AudioFactories.h: DirectShow.
#include "transmit/sound/AudioFactories.h"

#include "transmit/win32/DirectShowGraph.h"

namespace tc {

namespace {

class DirectShowAudio final : public AudioGraphFactory {
public:
    DirectShowAudio(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<win32::DirectShowGraph>(&loop_, listener_);
    }

private:
    EventLoop& loop_;
    PlaybackListener* listener_;
};

}  // namespace

std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<DirectShowAudio>(loop, listener);
}

}  // namespace tc
