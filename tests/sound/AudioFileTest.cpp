#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/RuntimeError.h"
#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFile.h"

using tc::sound::measureAudio;

namespace {

TEST(AudioFile, LengthIsWhatReallyDecodesEvenWhenTheFileIsCutOff) {
    auto wav = soundfiles::tone("a.wav", 2.5, 8000, 2);
    EXPECT_EQ(measureAudio(wav).sampleRate, 8000);
    EXPECT_EQ(measureAudio(wav).frames, 20000);
    // 44-byte header, 4 bytes a stereo frame: cut one byte past 4000 frames.
    EXPECT_EQ(measureAudio(soundfiles::truncated(wav, "cut.wav", 44 + 4 * 4000 + 1)).frames, 4000);
    // The content decides, not the name: an MP3 named .wav, its length by lame's tag.
    EXPECT_EQ(measureAudio(soundfiles::lame("tagged.wav", 1.0, 44100, 1, "")).frames, 44100);
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
          soundfiles::truncated(soundfiles::lame("for-cutting.mp3", 1.0, 44100, 1, ""), "first-bytes.mp3", 100),
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
