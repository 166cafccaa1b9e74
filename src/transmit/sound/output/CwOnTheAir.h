#pragma once
#include <string>

#include "core/HostListener.h"
#include "transmit/sound/output/CwSounder.h"

namespace tc::sound {

// Makes the simulated station's CW audible: every text it is asked to send
// sounds on the default output while the station keys it.
class CwOnTheAir : public HostListener {
public:
    void cwSent(const std::string& text) override { sounder_.send(text); }

private:
    CwSounder sounder_;
};

}  // namespace tc::sound
