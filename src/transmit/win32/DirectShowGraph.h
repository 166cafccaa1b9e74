#pragma once
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "core/AudioGraph.h"

namespace tc {
class EventLoop;
class PlaybackListener;
class Timer;
}  // namespace tc

namespace tc::win32 {

// One DirectShow filter graph manager, used through IMediaControl,
// IBasicAudio and IMediaPosition of the same object. A graph renders one
// file on the default audio output.
//
// At the end of the stream DirectShow's own position may stop a hair short
// of the duration; the end event of the graph is what counts: from then on
// the position reads as the duration exactly, until a seek. With a listener,
// the graph watches for that end while it runs and tells it once, at the
// latest when the position is next read.
class DirectShowGraph final : public AudioGraph {
public:
    static constexpr int kWatchMs = 20;

    // Creates the graph manager; throws the run-time error when DirectShow
    // is missing. The end is watched for on the loop when both are given.
    DirectShowGraph(EventLoop* loop, PlaybackListener* listener);
    ~DirectShowGraph() override;

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
    bool reachedEnd();
    void watch();
    void tellEnd();

    Microsoft::WRL::ComPtr<IMediaControl> control_;
    Microsoft::WRL::ComPtr<IBasicAudio> audio_;
    Microsoft::WRL::ComPtr<IMediaPosition> position_;
    Microsoft::WRL::ComPtr<IMediaEvent> events_;
    PlaybackListener* listener_;
    std::unique_ptr<Timer> watch_;
    std::string path_;
    bool rendered_ = false;
    bool ended_ = false;
    bool told_ = false;
    double duration_ = 0;
};

}  // namespace tc::win32
