#include "transmit/sound/CwSounder.h"

#include "app/RuntimeError.h"
#include "transmit/sound/MemorySource.h"
#include "transmit/sound/MorseTone.h"

namespace tc::sound {

namespace {

constexpr int kRate = 48000;

}  // namespace

bool CwSounder::send(std::string_view text, int wordsPerMinute) {
    output_.reset();
    head_.reset();
    auto tone = morseTone(text, kRate, wordsPerMinute);
    if (tone.empty()) return true;
    auto head = std::make_unique<PlayHead>(std::make_unique<MemorySource>(std::move(tone), kRate, 1), 1);
    try {
        output_ = std::make_unique<SdlOutput>(kRate, *head);
    } catch (const RuntimeError&) {
        return false;
    }
    head->run();
    head_ = std::move(head);
    return true;
}

}  // namespace tc::sound
