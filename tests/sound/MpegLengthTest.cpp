#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "sound/SoundFiles.h"
#include "transmit/sound/AudioFile.h"
#include "transmit/sound/output/PlayableFile.h"

using tc::sound::measureAudio;

namespace {

// What the decoder really delivers from the file, to its end.
std::int64_t decodedFrames(const std::string& path) {
    auto source = tc::sound::openAudio(path);
    std::vector<float> block(4096 * static_cast<std::size_t>(source->channels()));
    std::int64_t n = 0;
    for (std::size_t got; (got = source->read(block.data(), 4096)) > 0;) n += static_cast<std::int64_t>(got);
    return n;
}

struct Case {
    std::string file;
    std::int64_t toneFrames;
    std::int64_t frameSamples;
};

// Without a tag frame the length is every whole frame's samples: at least the
// tone, at most the encoder's delay and padding more, and exactly what decodes.
TEST(MpegLength, UntaggedStreamsCountEveryFrame) {
    for (const Case& c : {
             // VBR, 32 kHz mono: the length is no estimate from the first frame's bit rate
             Case{soundfiles::lame("vbr-bare.mp3", 0.468, 32000, 1, "-t -V 5"), 14976, 1152},
             Case{soundfiles::lame("vbr-bare-long.mp3", 3.0, 44100, 2, "-t -V 2"), 132300, 1152},
             Case{soundfiles::lame("abr-bare.mp3", 2.0, 44100, 1, "-t --abr 96"), 88200, 1152},
             Case{soundfiles::lame("mpeg2-bare.mp3", 1.5, 22050, 1, "-t -b 32"), 33075, 576},
             Case{soundfiles::mp2("bare.mp2", 2.0), 88200, 1152},
         }) {
        auto length = measureAudio(c.file);
        EXPECT_EQ(length.frames % c.frameSamples, 0) << c.file;
        EXPECT_GE(length.frames, c.toneFrames) << c.file;
        EXPECT_LE(length.frames, c.toneFrames + 3 * c.frameSamples) << c.file;
        EXPECT_EQ(decodedFrames(c.file), length.frames) << c.file;
    }
}

// A tag frame that fits gives the gapless length: the tone to the sample.
TEST(MpegLength, AFittingTagGivesTheGaplessLength) {
    for (auto [file, toneFrames] : {std::pair{soundfiles::lame("vbr.mp3", 0.468, 32000, 1, "-V 5"), 14976},
                                    {soundfiles::lame("cbr.mp3", 2.0, 44100, 2, "-b 128"), 88200},
                                    {soundfiles::lame("mpeg2.mp3", 1.5, 22050, 1, "-b 64"), 33075}}) {
        EXPECT_EQ(measureAudio(file).frames, toneFrames) << file;
        EXPECT_EQ(decodedFrames(file), toneFrames) << file;
    }
}

// Pieces each with its own tag, joined: the first tag speaks of its own piece
// only, so the frames decide and the whole file plays.
TEST(MpegLength, JoinedPiecesPlayWhole) {
    auto piece = soundfiles::lame("piece.mp3", 1.0, 44100, 1, "-b 64");
    auto bare = soundfiles::lame("piece-bare.mp3", 1.0, 44100, 1, "-t -b 64");
    auto framesOfPiece = measureAudio(bare).frames;  // every frame of one piece but its tag frame
    auto whole = soundfiles::joined("joined.mp3", {piece, piece, piece});
    auto length = measureAudio(whole);
    EXPECT_EQ(length.frames, 3 * (framesOfPiece + 1152));
    EXPECT_EQ(decodedFrames(whole), length.frames);
    // A tagged file cut in half: the tag promises what is no longer there.
    auto full = soundfiles::lame("to-halve.mp3", 4.0, 44100, 1, "-b 64");
    auto half = soundfiles::truncated(full, "halved.mp3", std::filesystem::file_size(full) / 2);
    EXPECT_LT(measureAudio(half).frames, 3 * 44100);
    EXPECT_EQ(decodedFrames(half), measureAudio(half).frames);
}

}  // namespace
