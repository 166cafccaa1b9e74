// The Windows side of transmit/sound/AudioFactories.h: the same virtual-time
// graphs (measured by transmit/win32's measureAudio), and DirectShow for the
// sound output.
#include "transmit/sound/AudioFactories.h"

#include "transmit/sound/FileGraph.h"
#include "transmit/sound/VirtualTransport.h"
#include "transmit/win32/DirectShowGraph.h"

namespace tc {

namespace {

class VirtualAudio final : public AudioGraphFactory {
public:
    VirtualAudio(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<sound::FileGraph>(std::make_unique<sound::VirtualTransport>(loop_, listener_));
    }

private:
    EventLoop& loop_;
    PlaybackListener* listener_;
};

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

std::unique_ptr<AudioGraphFactory> makeVirtualAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<VirtualAudio>(loop, listener);
}

std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<DirectShowAudio>(loop, listener);
}

}  // namespace tc
