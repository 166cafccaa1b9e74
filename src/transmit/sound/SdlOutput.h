#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "transmit/sound/PlayHead.h"

namespace tc::sound {

// A stereo stream to the chosen sound output through SDL, fed by a play
// head from the device's own thread until the output is closed. The device
// runs from opening to closing, silent while nothing plays, so that a start
// is heard within one device period and every stop can fade out.
// The output that every stream opens from now on, by the name SDL gives
// it (the sound card wired to the radio); "" is the system's default.
void useOutputDevice(std::string name);
// The names of the outputs SDL finds; throws the render failure when there
// is no sound system at all.
std::vector<std::string> outputDeviceNames();

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
