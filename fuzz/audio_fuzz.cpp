// Any bytes as an ident file: it is measured and opened, or refused with the
// render failure; what opens plays exactly its length and leaks nothing.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/RuntimeError.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/output/PlayableFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/tailchime-audio-fuzz-" + std::to_string(::getpid());
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    try {
        auto length = tc::sound::measureAudio(path);
        auto source = tc::sound::openAudio(path);
        if (source->frames() != length.frames || source->sampleRate() != length.sampleRate) std::abort();
        std::vector<float> block(1024 * static_cast<std::size_t>(source->channels()));
        for (int i = 0; i < 64 && source->read(block.data(), 1024) > 0; ++i) {
        }
        source->seek(length.frames / 2);
        source->read(block.data(), 1024);
    } catch (const tc::RuntimeError&) {
    }
    return 0;
}
