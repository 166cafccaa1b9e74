#pragma once
#include <memory>
#include <string_view>

#include "transmit/sound/PlayHead.h"

namespace tc::sound {

// Sounds Morse on the sound output as it is keyed: what the simulated
// station sends, when it runs in real time, and the ident a radio without a
// keyer sends as a tone. A new text cuts off one still sounding.
class CwSounder {
public:
    CwSounder() = default;
    ~CwSounder();
    CwSounder(const CwSounder&) = delete;
    CwSounder& operator=(const CwSounder&) = delete;

    // False when there is no sound output: the station keys all the same,
    // unheard.
    bool send(std::string_view text, int wordsPerMinute = 20);
    // Whether a text is still sounding.
    bool sounding() const { return head_ && head_->endings() == 0; }

private:
    std::shared_ptr<PlayHead> head_;
};

}  // namespace tc::sound
