#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/RuntimeError.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFile.h"

using tc::sound::measureAudio;

namespace {

constexpr std::int64_t kMpegFrame = 1152;

TEST(AudioFile, LengthIsWhatReallyDecodes) {
    auto wav = measureAudio(soundfiles::tone("a.wav", 2.5, 8000, 2));
    EXPECT_EQ(wav.sampleRate, 8000);
    EXPECT_EQ(wav.frames, 20000);
    // The content decides, not the name; lame's tag gives the gapless length.
    EXPECT_EQ(measureAudio(soundfiles::mp3("really-mp3.wav", 1.0)).frames, 44100);
    // Without a tag the header only estimates: whole MPEG frames decode, at
    // least the tone and at most the encoder's delay and padding more.
    for (auto file : {soundfiles::mp3("bare.mp3", 5.0, true), soundfiles::mp2("tone.mp2", 5.0)}) {
        auto got = measureAudio(file);
        EXPECT_EQ(got.frames % kMpegFrame, 0) << file;
        EXPECT_GE(got.frames, 220500) << file;
        EXPECT_LE(got.frames, 220500 + 3 * kMpegFrame) << file;
    }
}

// A cut-off file plays what still decodes, and its length says so rather
// than what its header promised.
TEST(AudioFile, ACutOffFileLastsAsLongAsWhatRemains) {
    auto wav = soundfiles::tone("whole.wav", 2.0);  // 44-byte header, 2 bytes a frame
    EXPECT_EQ(measureAudio(soundfiles::truncated(wav, "cut.wav", 44 + 2 * 4000 + 1)).frames, 4000);
    for (auto whole : {soundfiles::mp3("whole.mp3", 5.0), soundfiles::mp2("whole.mp2", 5.0)}) {
        auto full = measureAudio(whole).frames;
        auto cut = soundfiles::truncated(whole, "half-" + whole.substr(whole.size() - 3),
                                         std::filesystem::file_size(whole) / 2 + 7);
        EXPECT_NEAR(static_cast<double>(measureAudio(cut).frames), full / 2.0, 3.0 * kMpegFrame) << whole;
    }
}

TEST(AudioFile, WhatIsNoSoundFileFailsToRender) {
    std::mt19937 noise(7);
    std::vector<std::uint8_t> random(20000);
    for (auto& b : random) b = static_cast<std::uint8_t>(noise());
    std::string text = "This is not a sound file, just some words.\n";
    auto wav = soundfiles::tone("for-cutting.wav", 1.0);
    auto mp3 = soundfiles::mp3("for-cutting.mp3", 1.0);
    for (const auto& file :
         {soundfiles::path("missing.wav"), soundfiles::bytes("empty.wav", {}),
          soundfiles::bytes("text.mp3", {text.begin(), text.end()}), soundfiles::bytes("random.mp3", random),
          soundfiles::bytes("random.wav", random), soundfiles::truncated(wav, "header-only.wav", 44),
          soundfiles::truncated(wav, "cut-header.wav", 20), soundfiles::truncated(mp3, "first-bytes.mp3", 100),
          soundfiles::path("")}) {
        try {
            measureAudio(file);
            ADD_FAILURE() << file << " rendered";
        } catch (const tc::RuntimeError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot render file", 0), 0u) << file;
        }
    }
}

}  // namespace
