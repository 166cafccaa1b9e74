#pragma once
#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

// Writes a mono 16-bit WAV of a 440 Hz tone lasting exactly `seconds`.
inline void writeTone(const std::string& path, double seconds, int rate = 8000) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<short> samples(static_cast<size_t>(std::llround(seconds * rate)));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(8000 * std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / rate));
    sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
}
