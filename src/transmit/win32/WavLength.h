#pragma once
#include <optional>
#include <string>

#include "transmit/sound/AudioFile.h"

namespace tc::win32 {

// The length of a PCM or floating-point WAV file, read from its header and
// the size of its data: whole frames of the data that is really in the
// file, so a truncated file counts what it holds. nullopt for anything that
// is not such a WAV file (another type, or compressed audio in a WAV). A
// WAV file that cannot be played (no format or data, no sound, channels or
// sample rate that no output takes) throws the render failure.
std::optional<sound::StreamLength> wavLength(const std::string& path);

}  // namespace tc::win32
