#pragma once
#include <memory>
#include <string>
#include <vector>

#include "transmit/sound/AudioSource.h"
#include "transmit/sound/MidiFile.h"
#include "transmit/sound/MidiTiming.h"

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace tc::sound {

// A MIDI file rendered through the shared General MIDI synthesizer, in
// stereo. It lasts until its last event: the sound of notes still dying
// away then is cut.
class MidiSource final : public AudioSource {
public:
    static constexpr int kRate = kMidiRate;

    // Borrows the synthesizer; throws the render failure when there is none.
    explicit MidiSource(std::vector<std::uint8_t> file);
    ~MidiSource() override;
    MidiSource(const MidiSource&) = delete;
    MidiSource& operator=(const MidiSource&) = delete;

    int sampleRate() const override { return kRate; }
    int channels() const override { return 2; }
    std::int64_t frames() const override { return frames_; }
    std::size_t read(float* out, std::size_t frames) override;
    void seek(std::int64_t frame) override;

private:
    void startAt(std::int64_t tick);

    std::vector<std::uint8_t> file_;
    MidiTiming timing_;
    std::int64_t frames_;
    std::shared_ptr<fluid_synth_t> synth_;
    fluid_player_t* player_ = nullptr;
};

}  // namespace tc::sound
