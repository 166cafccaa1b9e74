#include "transmit/sound/AudioFactories.h"

#include <type_traits>

#include "transmit/sound/DeviceTransport.h"
#include "transmit/sound/FileGraph.h"
#include "transmit/sound/VirtualTransport.h"

namespace tc {

namespace {

template <class TransportKind>
class GraphFactory final : public AudioGraphFactory {
public:
    GraphFactory(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<sound::FileGraph>(std::make_unique<TransportKind>(loop_, listener_));
    }

    void Prepare(const std::string& path) override {
        if constexpr (std::is_same_v<TransportKind, sound::DeviceTransport>) sound::prepareFor(path);
    }

private:
    EventLoop& loop_;
    PlaybackListener* listener_;
};

}  // namespace

std::unique_ptr<AudioGraphFactory> makeVirtualAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<GraphFactory<sound::VirtualTransport>>(loop, listener);
}

std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<GraphFactory<sound::DeviceTransport>>(loop, listener);
}

}  // namespace tc
