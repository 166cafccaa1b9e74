#pragma once
#include <cstdint>

#include "transmit/sound/PlayHead.h"

namespace tc::sound {

// A stereo stream to the default sound output through SDL, fed by a play
// head from the device's own thread until the output is closed. The device
// runs from opening to closing, silent while nothing plays, so that a start
// is heard within one device period and every stop can fade out.
class SdlOutput {
public:
    // Throws the render failure when there is no usable output.
    SdlOutput(int sampleRate, PlayHead& head);
    ~SdlOutput();
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

private:
    std::uint32_t device_ = 0;
};

}  // namespace tc::sound
