#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/SoundOutput.h"
#include "transmit/sound/output/CwOnTheAir.h"
#include "transmit/sound/output/CwSounder.h"
#include "transmit/sound/output/SoundDevice.h"

namespace tc::sound {

namespace {

std::unique_ptr<HostListener> stationSound() { return std::make_unique<CwOnTheAir>(); }

std::function<bool(const std::string&, int)> cwVoice() {
    auto sounder = std::make_shared<CwSounder>();
    return [sounder](const std::string& text, int wpm) { return sounder->send(text, wpm); };
}

const SoundOutput kOutput{makeDeviceAudio, stationSound, cwVoice, useOutputDevice, outputDeviceNames};

}  // namespace

}  // namespace tc::sound

extern "C" __attribute__((visibility("default"))) const tc::sound::SoundOutput* tailchime_sound_output() {
    return &tc::sound::kOutput;
}
