#include <cmath>
#include <filesystem>

#include "core/RuntimeError.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/win32/DirectShowGraph.h"
#include "transmit/win32/WavLength.h"

namespace tc::sound {

namespace {

// DirectShow's durations come in units of 100 ns.
constexpr int kDirectShowUnitsPerSecond = 10000000;

}  // namespace

// On virtual time nothing is played, so a file is only measured: a WAV file
// by its header, exactly as the decoders count it; any other type by
// DirectShow, which must then be able to render it on this machine.
StreamLength measureAudio(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) throw renderFailure("no such file");
    if (!std::filesystem::is_regular_file(status)) throw renderFailure("not a file");
    if (std::filesystem::file_size(path, ec) == 0 || ec) throw renderFailure("empty file");
    if (auto wav = win32::wavLength(path)) return *wav;
    try {
        win32::DirectShowGraph graph(nullptr, nullptr);  // measured, never run
        graph.RenderFile(path);
        const double units = std::round(graph.get_Duration() * kDirectShowUnitsPerSecond);
        if (!(units > 0)) throw renderFailure("no sound in the file");
        return {kDirectShowUnitsPerSecond, static_cast<std::int64_t>(units)};
    } catch (const RuntimeError& e) {
        throw renderFailure(e.what());
    }
}

}  // namespace tc::sound
