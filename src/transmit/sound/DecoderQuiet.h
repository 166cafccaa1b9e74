#pragma once

namespace tc::sound {

// The MPEG decoder inside libsndfile writes notes about damaged frames and
// odd headers straight to stderr, on whichever thread decodes, during every
// playback of such a file. While a guard lives, what its own thread writes to
// stderr is dropped; messages of the other threads pass through untouched.
class DecoderQuiet {
public:
    DecoderQuiet();
    ~DecoderQuiet();
    DecoderQuiet(const DecoderQuiet&) = delete;
    DecoderQuiet& operator=(const DecoderQuiet&) = delete;

private:
    bool wasQuiet_;
};

}  // namespace tc::sound
