#pragma once
#include <string_view>
#include <vector>

namespace tc::sound {

// A text keyed in Morse as a tone, mono, with the timing of the host's own
// keyer: PARIS words, one dot 60 ms at 20 words a minute. Each element rises
// and falls along a raised cosine of a few milliseconds, as a well-shaped
// transmitter keys, so the tone neither clicks nor splatters. Characters
// without a sign leave a word's gap.
std::vector<float> morseTone(std::string_view text, int sampleRate, int wordsPerMinute = 20, double hz = 800.0);

}  // namespace tc::sound
