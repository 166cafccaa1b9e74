#include <gtest/gtest.h>

#include <cmath>

#include "core/RuntimeError.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/output/PlayableFile.h"
#include "transmit/sound/output/MidiSource.h"
#include "transmit/sound/output/Synthesizer.h"

using soundfiles::Bytes;
using soundfiles::midi;
using soundfiles::note;
using tc::sound::measureAudio;

namespace {

// A tune lasts until its last event, in quarter notes whatever the tempo,
// and in time code, where a tick lasts 1 / (frames a second x ticks a
// frame) and tempo changes mean nothing.
TEST(Midi, LastsUntilItsLastEventWhateverTheTiming) {
    // 480 ticks at 60 beats a minute, then 480 at 240, in a track of their own.
    const Bytes tempi = {0x00, 0xff, 0x51, 3,    0x0f, 0x42, 0x40, 0x83, 0x60, 0xff,
                         0x51, 3,    0x03, 0xd0, 0x90, 0x00, 0xff, 0x2f, 0};
    const Bytes tempo = {0x00, 0xff, 0x51, 3, 0x03, 0xd0, 0x90, 0x00, 0xff, 0x2f, 0};
    const std::pair<Bytes, std::int64_t> tunes[] = {
        {midi(0, 480, {note(0, 960)}), 44100},
        {midi(1, 480, {tempi, note(0, 960)}), 55125},
        {midi(1, 96, {note(0, 24), note(0, 384)}), 88200},  // the longest track decides, wherever it stands
        // running status, and an end of track a beat after the last note
        {midi(0, 480, {{0, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x83, 0x60, 0xff, 0x2f, 0}}), 44100},
        {midi(0, 0xe728, {note(0, 2000)}), 2 * 44100},                     // 25 frames a second, 40 ticks a frame
        {midi(1, 0xe204, {tempo, note(0, 180)}), std::llround(1.5 * 44100)},  // 30 x 4, a tempo to ignore
        {midi(0, 0xe30a, {note(0, 2997)}), 10 * 44100},  // 29.97 frames a second (written as 29), 10 ticks a frame
    };
    for (const auto& [tune, frames] : tunes)
        EXPECT_EQ(measureAudio(soundfiles::bytes("tune.mid", tune)).frames, frames) << tune.size() << " bytes";
}

TEST(Midi, MalformedFilesFailToRender) {
    Bytes good = midi(0, 480, {note(0, 960)});
    Bytes cut(good.begin(), good.end() - 5), missingTrack = good, garbage(good.begin(), good.begin() + 14);
    missingTrack[11] = 2;
    garbage.insert(garbage.end(), 64, 0xa5);
    for (const Bytes& bytes : {
             cut, missingTrack, garbage,
             midi(0, 480, {{0x00, 60, 100, 0x00, 0xff, 0x2f, 0x00}}),        // data before any status
             midi(0, 480, {{0x00, 0xf1, 0x00, 0x00, 0xff, 0x2f, 0x00}}),     // a status files cannot hold
             midi(0, 0xe900, {note(0, 960)}),                                // 23 frames a second
             midi(0, 0xe700, {note(0, 960)}),                                // no ticks a frame
             midi(0, 480, {{0x8f, 0xff, 0xff, 0xff, 0x7f, 0x90, 60, 100}}),  // a five-byte number
             midi(0, 480, {{0x00, 0xff, 0x2f, 0x00}}),                       // no sound at all
         }) {
        EXPECT_THROW(measureAudio(soundfiles::bytes("bad.mid", bytes)), tc::RuntimeError) << bytes.size();
        EXPECT_THROW(tc::sound::MidiSource{bytes}, tc::RuntimeError) << bytes.size();
    }
}

float loudest(tc::sound::MidiSource& source, double seconds) {
    std::vector<float> out(static_cast<size_t>(seconds * 44100) * 2);
    source.read(out.data(), out.size() / 2);
    return soundfiles::peak(out);
}

TEST(Midi, ASeekStartsTheTuneFromThatMomentOnTheSharedSoundFont) {
    // A note from 1 s to 2 s, timed in quarter notes and in time code alike.
    for (const Bytes& tune : {midi(0, 480, {note(960, 1920)}), tc::sound::inQuarterNotes(midi(0, 0xe728, {note(1000, 2000)}))}) {
        tc::sound::MidiSource source(tune);
        EXPECT_EQ(source.frames(), 2 * 44100);
        EXPECT_LT(loudest(source, 0.5), 1e-4f);
        source.seek(44100 * 9 / 10);
        EXPECT_GT(loudest(source, 0.3), 0.05f);
        source.seek(0);  // back before the note: nothing of it may hang on
        EXPECT_LT(loudest(source, 0.5), 1e-4f);
    }

    // The soundfont is loaded once; a second tune alive meanwhile gets a synthesizer of its own.
    fluid_synth_t* first = tc::sound::borrowSynthesizer().get();
    auto again = tc::sound::borrowSynthesizer();
    EXPECT_EQ(again.get(), first);
    EXPECT_NE(tc::sound::borrowSynthesizer().get(), first);
}

// Tunes that borrow while a synthesizer loads in the background wait for it
// and then play; a second borrower at the same moment gets one of its own.
TEST(Midi, TunesStartedWhileTheSoundFontLoadsAheadStillPlay) {
    std::vector<std::unique_ptr<tc::sound::MidiSource>> tunes;
    for (int i = 0; i < 3; ++i) {
        tc::sound::prepareSynthesizer();
        tunes.push_back(std::make_unique<tc::sound::MidiSource>(midi(0, 480, {note(0, 960)})));
    }
    for (auto& tune : tunes) EXPECT_GT(loudest(*tune, 0.3), 0.05f);
    tc::sound::prepareFor("/no/such/tune.mid");  // nothing to get ready for, and no harm
}

}  // namespace
