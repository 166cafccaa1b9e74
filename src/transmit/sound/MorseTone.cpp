#include "transmit/sound/MorseTone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Morse.h"

namespace tc::sound {

namespace {

constexpr double kEdgeMs = 5.0;
constexpr float kLevel = 0.5f;  // leaves room beside an ident at full scale

}  // namespace

std::vector<float> morseTone(std::string_view text, int sampleRate, int wordsPerMinute, double hz) {
    const std::int64_t unitFrames = static_cast<std::int64_t>(morse::dotMs(wordsPerMinute)) * sampleRate / 1000;
    const auto edge = static_cast<std::int64_t>(kEdgeMs * sampleRate / 1000);
    const double turn = 2.0 * std::numbers::pi * hz / sampleRate;
    std::vector<float> out;
    for (const morse::Element& e : morse::elements(text)) {
        const std::int64_t length = e.units * unitFrames;
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length), 0.0f);
        if (!e.keyed) continue;
        const std::int64_t rise = std::min(edge, length / 2);
        for (std::int64_t i = 0; i < length; ++i) {
            double shape = 1.0;
            std::int64_t fromEdge = std::min(i, length - 1 - i);
            if (fromEdge < rise) shape = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(fromEdge) / rise);
            auto at = start + static_cast<std::size_t>(i);
            out[at] = static_cast<float>(kLevel * shape * std::sin(turn * static_cast<double>(at)));
        }
    }
    return out;
}

}  // namespace tc::sound
