#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/EventLoop.h"
#include "core/AudioGraph.h"
#include "core/PlaybackListener.h"

namespace tc {

// Graphs that play nothing and move on the loop's clock, for runs on
// virtual time. The listener (may be null) hears of every end of playback.
std::unique_ptr<AudioGraphFactory> makeVirtualAudio(EventLoop& loop, PlaybackListener* listener);

// Graphs that play on the default sound output. A graph cannot render a
// file when there is no usable output.
std::unique_ptr<AudioGraphFactory> makeDeviceAudio(EventLoop& loop, PlaybackListener* listener);

// Graphs where the program has no sound output: no file renders, and the
// render failure tells the problem.
std::unique_ptr<AudioGraphFactory> makeNoOutputAudio(const std::string& problem);

// The graphs of the factory `make` gives, made at the first graph or the
// first file to prepare: what plays them is loaded only once something is
// to sound.
std::unique_ptr<AudioGraphFactory> makeAudioOnFirstUse(std::function<std::unique_ptr<AudioGraphFactory>()> make);

// One of the first two, as a run on virtual time or on real time needs.
inline std::unique_ptr<AudioGraphFactory> makeAudio(EventLoop& loop, PlaybackListener* listener, bool virtualTime) {
    return virtualTime ? makeVirtualAudio(loop, listener) : makeDeviceAudio(loop, listener);
}

}  // namespace tc
