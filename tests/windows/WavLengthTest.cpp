#include <gtest/gtest.h>

#include "WavBytes.h"
#include "core/RuntimeError.h"
#include "support/TempDir.h"
#include "transmit/win32/WavLength.h"

using tc::win32::wavLength;

namespace {

// The extensible format's bytes: 2 channels of 16 bits at 44.1 kHz, 10 frames, of the sub-format.
Bytes extensible(std::uint16_t sub) {
    Bytes b;
    b.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(40);
    fmtBody(b, 0xFFFE, 2, 44100, 16).u16(22).u16(16).u32(3).u16(sub).zeros(14);
    return b.text("data").u32(40).zeros(40);
}

}  // namespace

TEST(WavLength, CountsWholeFramesOfTheDataThatIsThere) {
    TempDir dir;
    Bytes chunks;  // other chunks are skipped, with the pad byte after an odd one
    chunks.text("RIFF").u32(0).text("WAVE").text("LIST").u32(3).text("abc").zeros(1).text("fmt ").u32(18);
    fmtBody(chunks, 1, 1, 8000, 16).u16(0).text("fact").u32(4).u32(0).text("data").u32(200).zeros(200);
    struct Case {
        Bytes file;
        int rate;
        std::int64_t frames;
    };
    for (const Case& c : {Case{wavBytes(1, 1, 22050, 16, 22050 * 2, 22050 * 2), 22050, 22050},
                          // A trailing half frame is no frame.
                          Case{wavBytes(1, 2, 48000, 24, 6 * 1000 + 4, 6 * 1000 + 4), 48000, 1000},
                          // The header promises a second, the file holds a tenth.
                          Case{wavBytes(1, 1, 8000, 16, 16000, 1600), 8000, 800},
                          Case{wavBytes(3, 1, 8000, 32, 400, 400), 8000, 100},     // floats
                          Case{chunks, 8000, 100}, Case{extensible(1), 44100, 10}}) {
        auto length = wavLength(c.file.save(dir.file("t.wav")));
        ASSERT_TRUE(length) << c.frames;
        EXPECT_EQ(length->sampleRate, c.rate);
        EXPECT_EQ(length->frames, c.frames);
    }
}

// Compressed audio, in a WAV or not, is the graph's to measure.
TEST(WavLength, CompressedAudioIsLeftToTheGraph) {
    TempDir dir;
    Bytes mp3;
    mp3.text("ID3").zeros(64);
    for (const Bytes& b : {extensible(0x55), mp3, wavBytes(0x55, 1, 22050, 0, 100, 100)})
        EXPECT_FALSE(wavLength(b.save(dir.file("t.wav"))));
}

TEST(WavLength, UnplayableWavFilesAreRenderFailures) {
    TempDir dir;
    Bytes dataFirst, noData, shortFormat;
    dataFirst.text("RIFF").u32(0).text("WAVE").text("data").u32(4).zeros(4);
    fmtBody(noData.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(16), 1, 1, 8000, 16);
    shortFormat.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(8).zeros(8).text("data").u32(4).zeros(4);
    for (const Bytes& b : {wavBytes(1, 1, 8000, 16, 0, 0),       // no sound
                           wavBytes(1, 1, 500, 16, 100, 100),    // a rate no output takes
                           wavBytes(1, 0, 8000, 16, 100, 100),   // no channels
                           wavBytes(1, 1, 8000, 0, 100, 100),    // frames of no size
                           dataFirst, noData, shortFormat})
        EXPECT_THROW(wavLength(b.save(dir.file("t.wav"))), tc::RuntimeError) << b.data.size();
    EXPECT_THROW(wavLength(dir.file("missing.wav")), tc::RuntimeError);
}

// On virtual time a file is only measured: a WAV file by its header, other
// files by DirectShow, anything else refused as the player refuses it.
TEST(MeasureAudio, WavByItsHeaderAndTheRestRefusedLikeThePlayerDoes) {
    TempDir dir;
    auto length = tc::sound::measureAudio(wavBytes(1, 1, 8000, 16, 8002, 8002).save(dir.file("tone.wav")));
    EXPECT_EQ(length.sampleRate, 8000);
    EXPECT_EQ(length.frames, 4001);
    for (const std::string& path : {Bytes().save(dir.file("empty.wav")),
                                    Bytes().text("this is no sound at all").save(dir.file("garbage.mp3")),
                                    dir.path(), dir.file("missing.wav")})
        EXPECT_THROW(tc::sound::measureAudio(path), tc::RuntimeError) << path;
}
