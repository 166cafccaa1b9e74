#pragma once
#include <cmath>
#include <string>
#include <vector>

#include "data/PcmWav.h"

// Writes a mono 16-bit WAV of a 440 Hz tone lasting exactly `seconds`.
inline void writeTone(const std::string& path, double seconds, int rate = 8000) {
    std::vector<short> samples(static_cast<size_t>(std::llround(seconds * rate)));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(8000 * std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / rate));
    writePcmWav(path, samples, rate);
}
