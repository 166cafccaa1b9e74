#pragma once
#include <memory>

#include "core/EventLoop.h"
#include "core/AudioGraph.h"
#include "core/PlaybackListener.h"
#include "transmit/sound/Transport.h"

namespace tc::sound {

// The playback graph of one file. It checks what the logic asks for and
// turns seconds and hundredths of a decibel into the frames and gains its
// transport works in. Positions are whole frames of the stream, so the
// position at the end is the duration's very double.
//
// A graph renders one file; asking it to render a second fails like any
// render failure. Volumes run from -10000 (silent) to 0, rates from 0.1 to
// 2; other values are refused. A position beyond the end seeks to the end.
class FileGraph final : public AudioGraph {
public:
    explicit FileGraph(std::unique_ptr<Transport> transport);

    void RenderFile(const std::string& path) override;
    void Run() override;
    void Stop() override;
    double get_CurrentPosition() override;
    void put_CurrentPosition(double seconds) override;
    double get_Duration() override;
    long get_Volume() override;
    void put_Volume(long hundredthsDb) override;
    double get_Rate() override;
    void put_Rate(double factor) override;

private:
    void requireRendered() const;
    double seconds(std::int64_t frames) const;

    std::unique_ptr<Transport> transport_;
    bool rendered_ = false;
    StreamLength length_;
    long volume_ = 0;
    double rate_ = 1.0;
};

// File graphs, each on a transport of its own kind made from the loop and
// the listener that hears of every end of playback.
template <class TransportKind>
class FileGraphs : public AudioGraphFactory {
public:
    FileGraphs(EventLoop& loop, PlaybackListener* listener) : loop_(loop), listener_(listener) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<FileGraph>(std::make_unique<TransportKind>(loop_, listener_));
    }

private:
    EventLoop& loop_;
    PlaybackListener* listener_;
};

}  // namespace tc::sound
