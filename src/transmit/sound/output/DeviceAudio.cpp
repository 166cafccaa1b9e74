#include "transmit/sound/AudioFactories.h"

#include "transmit/sound/FileGraph.h"
#include "transmit/sound/output/DeviceTransport.h"
#include "transmit/sound/output/PlayableFile.h"

namespace tc {

namespace {

class DeviceGraphs final : public AudioGraphFactory {
public:
    DeviceGraphs(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<sound::FileGraph>(std::make_unique<sound::DeviceTransport>(loop_, listener_));
    }

    void Prepare(const std::string& path) override { sound::prepareFor(path); }

private:
    EventLoop& loop_;
    PlaybackListener* listener_;
};

}  // namespace

std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<DeviceGraphs>(loop, listener);
}

}  // namespace tc
