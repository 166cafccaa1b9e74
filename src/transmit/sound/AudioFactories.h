#pragma once
#include <memory>

#include "app/EventLoop.h"
#include "transmit/AudioGraph.h"
#include "transmit/PlaybackListener.h"

namespace tc {

// Graphs that play nothing and move on the loop's clock, for runs on
// virtual time. The listener (may be null) hears of every end of playback.
std::unique_ptr<AudioGraphFactory> makeVirtualAudio(EventLoop& loop, PlaybackListener* listener);

// Graphs that play on the default sound output. A graph cannot render a
// file when there is no usable output.
std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener);

// One of the two, as a run on virtual time or on real time needs.
inline std::unique_ptr<AudioGraphFactory> makeAudio(EventLoop& loop, PlaybackListener* listener, bool virtualTime) {
    return virtualTime ? makeVirtualAudio(loop, listener) : makeDeviceAudio(loop, listener);
}

}  // namespace tc
