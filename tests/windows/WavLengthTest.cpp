#include <gtest/gtest.h>

#include "core/RuntimeError.h"
#include "support/TempFolder.h"
#include "support/WavWriter.h"
#include "transmit/win32/WavLength.h"

using tc::win32::wavLength;

namespace {

// A WAV file's bytes with the given format body and data size; "present"
// bytes of data really follow (fewer than declared for a truncated file).
Bytes wavBytes(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               std::uint32_t declared, std::uint32_t present) {
    Bytes b;
    b.text("RIFF").u32(36 + declared).text("WAVE").text("fmt ").u32(16);
    fmtBody(b, tag, channels, rate, bits);
    b.text("data").u32(declared).zeros(present);
    return b;
}

std::string saved(const TempFolder& dir, const Bytes& b) {
    b.save(dir.file("t.wav"));
    return dir.file("t.wav");
}

}  // namespace

TEST(WavLength, CountsWholeFramesOfTheDataThatIsThere) {
    TempFolder dir;
    struct Case {
        std::uint16_t tag, channels;
        std::uint32_t rate;
        std::uint16_t bits;
        std::uint32_t declared, present;
        std::int64_t frames;
    };
    for (const Case& c : {Case{1, 1, 22050, 16, 22050 * 2, 22050 * 2, 22050},
                          Case{1, 2, 48000, 24, 6 * 1000 + 4, 6 * 1000 + 4, 1000},  // a trailing half frame is no frame
                          Case{1, 1, 8000, 16, 16000, 1600, 800},  // the header promises a second, the file holds a tenth
                          Case{3, 1, 8000, 32, 400, 400, 100}}) {  // floats
        auto length = wavLength(saved(dir, wavBytes(c.tag, c.channels, c.rate, c.bits, c.declared, c.present)));
        ASSERT_TRUE(length) << c.frames;
        EXPECT_EQ(length->sampleRate, static_cast<int>(c.rate));
        EXPECT_EQ(length->frames, c.frames);
    }
    // Other chunks are skipped, with the pad byte after an odd one.
    Bytes chunks;
    chunks.text("RIFF").u32(0).text("WAVE").text("LIST").u32(3).text("abc").zeros(1).text("fmt ").u32(18);
    fmtBody(chunks, 1, 1, 8000, 16).u16(0).text("fact").u32(4).u32(0).text("data").u32(200).zeros(200);
    auto length = wavLength(saved(dir, chunks));
    ASSERT_TRUE(length);
    EXPECT_EQ(length->frames, 100);
}

// Compressed audio, in a WAV or not, is the graph's to measure.
TEST(WavLength, TheExtensibleFormatCountsByItsSubFormatAndCompressedAudioIsLeftToTheGraph) {
    TempFolder dir;
    auto extensible = [](std::uint16_t sub) {
        Bytes b;
        b.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(40);
        fmtBody(b, 0xFFFE, 2, 44100, 16).u16(22).u16(16).u32(3).u16(sub).zeros(14);
        return b.text("data").u32(40).zeros(40);
    };
    auto pcm = wavLength(saved(dir, extensible(1)));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->frames, 10);
    Bytes mp3;
    mp3.text("ID3").zeros(64);
    for (const Bytes& b : {extensible(0x55), mp3, wavBytes(0x55, 1, 22050, 0, 100, 100)})
        EXPECT_FALSE(wavLength(saved(dir, b)));
}

TEST(WavLength, UnplayableWavFilesAreRenderFailures) {
    TempFolder dir;
    Bytes dataFirst, noData, shortFormat;
    dataFirst.text("RIFF").u32(0).text("WAVE").text("data").u32(4).zeros(4);
    fmtBody(noData.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(16), 1, 1, 8000, 16);
    shortFormat.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(8).zeros(8).text("data").u32(4).zeros(4);
    for (const Bytes& b : {wavBytes(1, 1, 8000, 16, 0, 0),       // no sound
                           wavBytes(1, 1, 500, 16, 100, 100),    // a rate no output takes
                           wavBytes(1, 0, 8000, 16, 100, 100),   // no channels
                           wavBytes(1, 1, 8000, 0, 100, 100),    // frames of no size
                           dataFirst, noData, shortFormat})
        EXPECT_THROW(wavLength(saved(dir, b)), tc::RuntimeError) << b.data.size();
    EXPECT_THROW(wavLength(dir.file("missing.wav")), tc::RuntimeError);
}

// On virtual time a file is only measured: a WAV file by its header, other
// files by DirectShow, anything else refused as the player refuses it.
TEST(MeasureAudio, WavByItsHeaderAndTheRestRefusedLikeThePlayerDoes) {
    TempFolder dir;
    writeToneWav(dir.file("tone.wav"), 8000, 4001);
    auto length = tc::sound::measureAudio(dir.file("tone.wav"));
    EXPECT_EQ(length.sampleRate, 8000);
    EXPECT_EQ(length.frames, 4001);

    Bytes().save(dir.file("empty.wav"));
    Bytes garbage;
    garbage.text("this is no sound at all");
    garbage.save(dir.file("garbage.mp3"));
    EXPECT_THROW(tc::sound::measureAudio(dir.file("empty.wav")), tc::RuntimeError);
    EXPECT_THROW(tc::sound::measureAudio(dir.file("garbage.mp3")), tc::RuntimeError);
    EXPECT_THROW(tc::sound::measureAudio(dir.path()), tc::RuntimeError);
    EXPECT_THROW(tc::sound::measureAudio(dir.file("missing.wav")), tc::RuntimeError);
}
