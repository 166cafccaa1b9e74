#include "transmit/sound/SdlOutput.h"

#include <SDL.h>

#include "transmit/sound/DecoderQuiet.h"
#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

void SDLCALL feed(void* head, Uint8* stream, int bytes) {
    static_cast<PlayHead*>(head)->render(reinterpret_cast<float*>(stream),
                                         static_cast<std::size_t>(bytes) / (sizeof(float) * PlayHead::kChannels));
}

// A device period of at most 20 ms keeps the start prompt without asking
// for more wake-ups than the machine needs.
Uint16 periodFrames(int sampleRate) {
    Uint16 frames = 64;
    while (frames * 2 <= sampleRate / 50) frames = static_cast<Uint16>(frames * 2);
    return frames;
}

std::string& chosenDevice() {
    static std::string name;
    return name;
}

// SDL's own log would land on the operator's terminal; its failures reach us
// through SDL_GetError. SIGTERM and SIGINT stay the program's: SDL would
// otherwise take them over and turn them into a quit event nobody reads.
void initAudio() {
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) throw renderFailure(std::string("no sound output: ") + SDL_GetError());
}

}  // namespace

void useOutputDevice(std::string name) { chosenDevice() = std::move(name); }

std::vector<std::string> outputDeviceNames() {
    DecoderQuiet quiet;
    initAudio();
    std::vector<std::string> names;
    int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
        if (const char* name = SDL_GetAudioDeviceName(i, 0)) names.emplace_back(name);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return names;
}

SdlOutput::SdlOutput(int sampleRate, PlayHead& head) {
    // The sound libraries below SDL (ALSA on a machine without a card) print
    // their complaints on stderr: keep them off the terminal.
    DecoderQuiet quiet;
    initAudio();
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = PlayHead::kChannels;
    want.samples = periodFrames(sampleRate);
    want.callback = feed;
    want.userdata = &head;
    SDL_AudioSpec have{};
    const std::string& name = chosenDevice();
    device_ = SDL_OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 0, &want, &have, 0);
    if (device_ == 0) {
        std::string why = SDL_GetError();
        if (!name.empty()) why = "'" + name + "': " + why;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        throw renderFailure("no sound output: " + why);
    }
    SDL_PauseAudioDevice(device_, 0);
}

SdlOutput::~SdlOutput() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace tc::sound
