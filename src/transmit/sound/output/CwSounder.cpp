#include "transmit/sound/output/CwSounder.h"

#include "core/RuntimeError.h"
#include "transmit/sound/MemorySource.h"
#include "transmit/sound/MorseTone.h"
#include "transmit/sound/output/SoundDevice.h"

namespace tc::sound {

CwSounder::~CwSounder() {
    if (head_) SoundDevice::shared().remove(std::move(head_));
}

bool CwSounder::send(std::string_view text, int wordsPerMinute) {
    SoundDevice& device = SoundDevice::shared();
    if (head_) device.remove(std::move(head_));
    head_.reset();
    try {
        device.check();
    } catch (const RuntimeError&) {
        return false;
    }
    auto tone = morseTone(text, SoundDevice::kRate, wordsPerMinute);
    if (tone.empty()) return true;
    head_ = std::make_shared<PlayHead>(std::make_unique<MemorySource>(std::move(tone), SoundDevice::kRate, 1), 1,
                                       SoundDevice::kRate);
    head_->run();
    device.add(head_);
    device.wake();
    return true;
}

}  // namespace tc::sound
