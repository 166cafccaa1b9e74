#pragma once
#include <string>

namespace tc {

// Told by the player when playback of a file has reached its end. It is
// called on the logic thread, from an event that the player posts in the
// device lane at the moment the end is reached.
class PlaybackListener {
public:
    virtual ~PlaybackListener() = default;
    virtual void played(const std::string& path) = 0;
};

}  // namespace tc
