#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/RuntimeError.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFile.h"

using tc::sound::measureAudio;

namespace {

constexpr std::int64_t kMpegFrame = 1152;

TEST(AudioFile, LengthIsWhatReallyDecodesEvenWhenTheFileIsCutOff) {
    auto wav = soundfiles::tone("a.wav", 2.5, 8000, 2);
    EXPECT_EQ(measureAudio(wav).sampleRate, 8000);
    EXPECT_EQ(measureAudio(wav).frames, 20000);
    // 44-byte header, 4 bytes a stereo frame: cut one byte past 4000 frames.
    EXPECT_EQ(measureAudio(soundfiles::truncated(wav, "cut.wav", 44 + 4 * 4000 + 1)).frames, 4000);
    // The content decides, not the name. lame's tag gives the gapless length;
    // without one only whole MPEG frames decode: at least the tone, at most the
    // encoder's delay and padding more. Half a file is half the tone, whatever
    // its header promised.
    for (auto [file, tagged] : {std::pair{soundfiles::mp3("tagged.wav", 5.0), true},
                                {soundfiles::mp3("bare.mp3", 5.0, true), false},
                                {soundfiles::mp2("tone.mp2", 5.0), false}}) {
        auto got = measureAudio(file).frames;
        if (tagged)
            EXPECT_EQ(got, 220500);
        else
            EXPECT_EQ(got % kMpegFrame, 0) << file;
        EXPECT_GE(got, 220500) << file;
        EXPECT_LE(got, 220500 + 3 * kMpegFrame) << file;
        auto half = soundfiles::truncated(file, "half-" + std::filesystem::path(file).filename().string(),
                                          std::filesystem::file_size(file) / 2 + 7);
        EXPECT_NEAR(static_cast<double>(measureAudio(half).frames), got / 2.0, 3.0 * kMpegFrame) << file;
    }
}

// A WAV whose header promises 4 GiB of samples, in a sparse file of that size.
std::string hugeWav() {
    auto wav = soundfiles::tone("huge.wav", 0.1);
    std::fstream f(wav, std::ios::in | std::ios::out | std::ios::binary);
    std::string head(64, '\0');
    f.read(head.data(), 64);
    f.clear();
    f.seekp(static_cast<std::streamoff>(head.find("data") + 4));
    f.write("\x00\xff\xff\xff", 4);
    f.close();
    std::filesystem::resize_file(wav, 4ull << 30);
    return wav;
}

TEST(AudioFile, WhatIsNoIdentFailsToRender) {
    std::mt19937 noise(7);
    soundfiles::Bytes random(20000);
    for (auto& b : random) b = static_cast<std::uint8_t>(noise());
    std::string text = "This is not a sound file, just some words.\n";
    auto wav = soundfiles::tone("for-cutting.wav", 1.0);
    for (const auto& file :
         {soundfiles::path("missing.wav"), soundfiles::path(""), soundfiles::bytes("empty.wav", {}),
          soundfiles::bytes("text.mp3", {text.begin(), text.end()}), soundfiles::bytes("random.mp3", random),
          soundfiles::bytes("random.wav", random), soundfiles::truncated(wav, "header-only.wav", 44),
          soundfiles::truncated(wav, "cut-header.wav", 20),
          soundfiles::truncated(soundfiles::mp3("for-cutting.mp3", 1.0), "first-bytes.mp3", 100),
          // a sound file, but no ident: refused by its content whatever its name
          soundfiles::vorbis("vorbis.wav", 1.0), soundfiles::vorbis("vorbis.mp3", 1.0),
          // longer than the position bar can show: refused before anything decodes
          hugeWav()}) {
        try {
            measureAudio(file);
            ADD_FAILURE() << file << " rendered";
        } catch (const tc::RuntimeError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot render file", 0), 0u) << file;
        }
    }
}

}  // namespace
