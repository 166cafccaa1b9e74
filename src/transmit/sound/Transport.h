#pragma once
#include <cstdint>
#include <string>

#include "transmit/sound/AudioFile.h"

namespace tc::sound {

// What moves a graph's play position: the sound device, or the logic
// thread's clock when the station runs on virtual time. Positions are in
// frames of the stream. Both keep the same rules at the end of the stream:
// the position stops at the length exactly and the end is announced once;
// running again from there plays nothing until a seek.
class Transport {
public:
    virtual ~Transport() = default;
    // Prepares playback of the file, stopped at its start. Throws the
    // render failure when the file does not play or there is no output.
    virtual StreamLength render(const std::string& path) = 0;
    virtual void run() = 0;
    virtual void stop() = 0;
    virtual std::int64_t position() = 0;
    virtual void seek(std::int64_t frame) = 0;
    virtual void setGain(double gain) = 0;  // linear, 1 is full level
    virtual void setRate(double rate) = 0;  // 1 is normal speed
};

}  // namespace tc::sound
