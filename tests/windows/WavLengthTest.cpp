#include <gtest/gtest.h>

#include "core/RuntimeError.h"
#include "support/TempFolder.h"
#include "support/WavWriter.h"
#include "transmit/win32/WavLength.h"

using tc::win32::wavLength;

namespace {

// A WAV file with the given format body and data size; "present" bytes of
// data really follow (fewer than declared for a truncated file).
std::string wav(const TempFolder& dir, std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                std::uint16_t bits, std::uint32_t declared, std::uint32_t present) {
    Bytes b;
    b.text("RIFF").u32(36 + declared).text("WAVE").text("fmt ").u32(16);
    fmtBody(b, tag, channels, rate, bits);
    b.text("data").u32(declared).zeros(present);
    const std::string path = dir.file("t.wav");
    b.save(path);
    return path;
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
        auto length = wavLength(wav(dir, c.tag, c.channels, c.rate, c.bits, c.declared, c.present));
        ASSERT_TRUE(length) << c.frames;
        EXPECT_EQ(length->sampleRate, static_cast<int>(c.rate));
        EXPECT_EQ(length->frames, c.frames);
    }
}

TEST(WavLength, SkipsOtherChunksIncludingTheirPadByte) {
    TempFolder dir;
    Bytes b;
    b.text("RIFF").u32(0).text("WAVE");
    b.text("LIST").u32(3).text("abc").zeros(1);  // odd size: one pad byte follows
    b.text("fmt ").u32(18);
    fmtBody(b, 1, 1, 8000, 16).u16(0);  // cbSize
    b.text("fact").u32(4).u32(0);
    b.text("data").u32(200).zeros(200);
    b.save(dir.file("chunks.wav"));
    auto length = wavLength(dir.file("chunks.wav"));
    ASSERT_TRUE(length);
    EXPECT_EQ(length->frames, 100);
}

TEST(WavLength, ExtensibleFormatCountsByItsSubFormat) {
    TempFolder dir;
    auto withSubFormat = [&](std::uint16_t sub) {
        Bytes b;
        b.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(40);
        fmtBody(b, 0xFFFE, 2, 44100, 16).u16(22).u16(16).u32(3).u16(sub).zeros(14);
        b.text("data").u32(40).zeros(40);
        b.save(dir.file("ext.wav"));
        return wavLength(dir.file("ext.wav"));
    };
    auto pcm = withSubFormat(1);
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->frames, 10);
    EXPECT_FALSE(withSubFormat(0x55));  // MP3 inside: not ours to count
}

TEST(WavLength, OtherFilesAreLeftToTheGraph) {
    TempFolder dir;
    Bytes mp3;
    mp3.text("ID3").zeros(64);
    mp3.save(dir.file("x.mp3"));
    EXPECT_FALSE(wavLength(dir.file("x.mp3")));
    EXPECT_FALSE(wavLength(wav(dir, 0x55, 1, 22050, 0, 100, 100)));  // compressed audio in a WAV
}

TEST(WavLength, UnplayableWavFilesAreRenderFailures) {
    TempFolder dir;
    EXPECT_THROW(wavLength(wav(dir, 1, 1, 8000, 16, 0, 0)), tc::RuntimeError);        // no sound
    EXPECT_THROW(wavLength(wav(dir, 1, 1, 500, 16, 100, 100)), tc::RuntimeError);     // rate no output takes
    EXPECT_THROW(wavLength(wav(dir, 1, 0, 8000, 16, 100, 100)), tc::RuntimeError);    // no channels
    EXPECT_THROW(wavLength(wav(dir, 1, 1, 8000, 0, 100, 100)), tc::RuntimeError);     // frames of no size

    Bytes dataFirst;
    dataFirst.text("RIFF").u32(0).text("WAVE").text("data").u32(4).zeros(4);
    dataFirst.save(dir.file("a.wav"));
    EXPECT_THROW(wavLength(dir.file("a.wav")), tc::RuntimeError);

    Bytes noData;
    noData.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(16);
    fmtBody(noData, 1, 1, 8000, 16);
    noData.save(dir.file("b.wav"));
    EXPECT_THROW(wavLength(dir.file("b.wav")), tc::RuntimeError);

    Bytes shortFormat;
    shortFormat.text("RIFF").u32(0).text("WAVE").text("fmt ").u32(8).zeros(8).text("data").u32(4).zeros(4);
    shortFormat.save(dir.file("c.wav"));
    EXPECT_THROW(wavLength(dir.file("c.wav")), tc::RuntimeError);

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
