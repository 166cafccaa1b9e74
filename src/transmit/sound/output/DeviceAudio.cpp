#include "transmit/sound/AudioFactories.h"

#include "transmit/sound/FileGraph.h"
#include "transmit/sound/output/DeviceTransport.h"
#include "transmit/sound/output/OutputPriority.h"
#include "transmit/sound/output/PlayableFile.h"

namespace tc {

namespace {

class DeviceGraphs final : public sound::FileGraphs<sound::DeviceTransport> {
public:
    using FileGraphs::FileGraphs;
    void Prepare(const std::string& path) override { sound::prepareFor(path); }
    void RunBeforePlay(const std::function<void()>& wait) override { sound::runAboveOthers(wait); }
};

}  // namespace

std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<DeviceGraphs>(loop, listener);
}

}  // namespace tc
