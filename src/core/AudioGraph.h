#pragma once
#include <functional>
#include <memory>
#include <string>

namespace tc {

// One playback graph: built from a file path, then run, stopped, sought,
// with volume and speed. Every call on a graph that failed to build, or
// that was never built, throws a RuntimeError.
//
// Once playback reaches the end of the stream the position equals the
// duration exactly and stays there until Run, a seek or the release.
class AudioGraph {
public:
    virtual ~AudioGraph() = default;
    virtual void RenderFile(const std::string& path) = 0;
    virtual void Run() = 0;
    virtual void Stop() = 0;
    virtual double get_CurrentPosition() = 0;
    virtual void put_CurrentPosition(double seconds) = 0;
    virtual double get_Duration() = 0;
    virtual long get_Volume() = 0;
    virtual void put_Volume(long hundredthsDb) = 0;  // 0 full, -10000 silent
    virtual double get_Rate() = 0;
    virtual void put_Rate(double factor) = 0;  // 1.0 normal speed
};

class AudioGraphFactory {
public:
    virtual ~AudioGraphFactory() = default;
    // A new, empty graph.
    virtual std::shared_ptr<AudioGraph> NewGraph() = 0;
    // The file may be played before long: what playing it needs may be made
    // ready in the background. Never fails; a bad path is simply no help.
    virtual void Prepare(const std::string&) {}
    // Runs the wait before a graph plays (the pre-roll's counted passes) on
    // the calling thread. An output on the real clock runs it above the
    // machine's other programs, so that none of them stretches it.
    virtual void RunBeforePlay(const std::function<void()>& wait) { wait(); }
};

}  // namespace tc
