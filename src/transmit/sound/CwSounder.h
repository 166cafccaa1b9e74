#pragma once
#include <memory>
#include <string_view>

#include "transmit/sound/PlayHead.h"
#include "transmit/sound/SdlOutput.h"

namespace tc::sound {

// Lets the operator hear what the simulated station sends in Morse when the
// station runs in real time: the text sounds on the default output as it is
// keyed. A new text cuts off one still sounding.
class CwSounder {
public:
    // False when there is no sound output: the station keys all the same,
    // unheard.
    bool send(std::string_view text);
    // Whether a text is still sounding.
    bool sounding() const { return head_ && head_->endings() == 0; }

private:
    std::unique_ptr<PlayHead> head_;
    std::unique_ptr<SdlOutput> output_;  // closed before its head goes
};

}  // namespace tc::sound
