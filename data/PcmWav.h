#pragma once
#include <sndfile.h>

#include <string>
#include <vector>

// Writes mono 16-bit samples as a WAV file; false when the file cannot be
// made or written whole.
inline bool writePcmWav(const std::string& path, const std::vector<short>& pcm, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    return sf_close(file) == 0 && written == static_cast<sf_count_t>(pcm.size());
}
