#include "transmit/sound/AudioFactories.h"

#include "transmit/sound/FileGraph.h"
#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/VirtualTransport.h"

namespace tc {

namespace {

// Where there is no sound output at all: every file fails to render, with
// the reason, as on a machine whose sound device cannot open.
class NoOutputTransport final : public sound::Transport {
public:
    explicit NoOutputTransport(std::string problem) : problem_(std::move(problem)) {}
    sound::StreamLength render(const std::string&) override { throw sound::renderFailure(problem_); }
    // A graph that did not render takes no other call.
    void run() override {}
    void stop() override {}
    std::int64_t position() override { return 0; }
    void seek(std::int64_t) override {}
    void setGain(double) override {}
    void setRate(double) override {}

private:
    std::string problem_;
};

class NoOutputGraphs final : public AudioGraphFactory {
public:
    explicit NoOutputGraphs(std::string problem) : problem_(std::move(problem)) {}

    std::shared_ptr<AudioGraph> NewGraph() override {
        return std::make_shared<sound::FileGraph>(std::make_unique<NoOutputTransport>(problem_));
    }

private:
    std::string problem_;
};

class GraphsOnFirstUse final : public AudioGraphFactory {
public:
    explicit GraphsOnFirstUse(std::function<std::unique_ptr<AudioGraphFactory>()> make) : make_(std::move(make)) {}

    std::shared_ptr<AudioGraph> NewGraph() override { return made().NewGraph(); }
    void Prepare(const std::string& path) override { made().Prepare(path); }
    void RunBeforePlay(const std::function<void()>& wait) override { made().RunBeforePlay(wait); }

private:
    AudioGraphFactory& made() {
        if (!made_) made_ = make_();
        return *made_;
    }

    std::function<std::unique_ptr<AudioGraphFactory>()> make_;
    std::unique_ptr<AudioGraphFactory> made_;
};

}  // namespace

std::unique_ptr<AudioGraphFactory> makeAudioOnFirstUse(std::function<std::unique_ptr<AudioGraphFactory>()> make) {
    return std::make_unique<GraphsOnFirstUse>(std::move(make));
}

std::unique_ptr<AudioGraphFactory> makeNoOutputAudio(const std::string& problem) {
    return std::make_unique<NoOutputGraphs>(problem);
}

std::unique_ptr<AudioGraphFactory> makeVirtualAudio(EventLoop& loop, PlaybackListener* listener) {
    return std::make_unique<sound::FileGraphs<sound::VirtualTransport>>(loop, listener);
}

}  // namespace tc
