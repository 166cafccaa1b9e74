#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "web/StateJson.h"

namespace tc {

// The news of the station for the page: its view (published by the logic
// thread whenever it changes) and its log lines. The server's threads read
// the view at any time, and each event stream waits here for what is new
// to it. No one waits for a stream: one that falls behind misses the
// oldest lines, never holds up the station.
class EventHub {
public:
    static constexpr std::size_t kMaxStreams = 8;
    static constexpr std::size_t kKeptLines = 200;  // a new stream starts with the last of them

    void publish(const event::Status& view);
    void publishLine(const std::string& line);
    event::Status view() const;
    // Grows with each view published: what is worked out from the view may be kept until it grows.
    std::uint64_t viewVersion() const;
    // Wakes every stream for the last time.
    void close();

    // What an event stream has yet to send.
    struct News {
        bool view = false;
        std::vector<std::string> lines;
        bool closed = false;
    };

    class Stream {
    public:
        explicit Stream(EventHub& hub);
        ~Stream();
        Stream(const Stream&) = delete;
        Stream& operator=(const Stream&) = delete;
        // Waits up to `wait` for news (none when it times out).
        News next(std::chrono::milliseconds wait);

    private:
        EventHub& hub_;
        std::uint64_t viewSeen_ = 0;
        std::uint64_t linesSeen_ = 0;
    };
    // A new stream, or nothing when kMaxStreams are open.
    std::unique_ptr<Stream> open();

    std::size_t streams() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    event::Status view_;
    std::uint64_t viewVersion_ = 0;
    std::deque<std::string> lines_;
    std::uint64_t linesPublished_ = 0;
    std::size_t streams_ = 0;
    bool closed_ = false;
};

}  // namespace tc
