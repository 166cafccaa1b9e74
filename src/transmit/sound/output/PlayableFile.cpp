#include "transmit/sound/output/PlayableFile.h"

#include "transmit/sound/AudioFile.h"
#include "transmit/sound/MpegSource.h"
#include "transmit/sound/SndfileSource.h"
#include "transmit/sound/output/MidiSource.h"
#include "transmit/sound/output/Synthesizer.h"

namespace tc::sound {

std::unique_ptr<AudioSource> openAudio(const std::string& path) {
    SoundFile file = identifySound(path);
    std::unique_ptr<AudioSource> source;
    switch (file.kind) {
        case SoundFile::Kind::Wav: source = std::make_unique<SndfileSource>(path); break;
        case SoundFile::Kind::Midi: source = std::make_unique<MidiSource>(readMidiFile(path)); break;
        case SoundFile::Kind::Mpeg: source = std::make_unique<MpegSource>(path, file.mpeg); break;
    }
    fitsAnIdent({source->sampleRate(), source->frames()});
    return source;
}

void prepareFor(const std::string& path) {
    if (isMidiFile(path)) prepareSynthesizer();
}

}  // namespace tc::sound
