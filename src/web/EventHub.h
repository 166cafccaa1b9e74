#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "web/StateJson.h"

namespace tc {

// The news of the station for the page: its view (published by the logic
// thread whenever it changes) and its log lines. The server reads the view
// at any time, and each event stream is woken when there is news for it
// and takes what is new to it. No one waits for a stream: one that falls
// behind misses the oldest lines, never holds up the station.
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
        Stream(EventHub& hub, bool anonymous);
        ~Stream();
        Stream(const Stream&) = delete;
        Stream& operator=(const Stream&) = delete;
        // What is new to it since it last looked.
        News take();
        // Called, from whichever thread told the news, whenever there may be
        // some: it must only hand the work on.
        void wake(std::function<void()> waker);

    private:
        friend class EventHub;
        EventHub& hub_;
        const bool anonymous_;
        bool dropped_ = false;  // for a sysop's
        std::uint64_t viewSeen_ = 0;
        std::uint64_t linesSeen_ = 0;
        std::function<void()> waker_;
    };
    // A new stream, or nothing when there is no slot for it. Anonymous
    // streams (a view open to all) take at most half the slots; a sysop's
    // always gets one, in the end by taking the oldest stream's.
    std::unique_ptr<Stream> open(bool anonymous);
    // Wakes every stream once, to look whether it may go on (a session ended).
    void nudge();

    std::size_t streams() const;

private:
    // Tells every stream, after whatever changed is in place.
    void wakeAll();

    mutable std::mutex mutex_;
    event::Status view_;
    std::uint64_t viewVersion_ = 0;
    std::deque<std::string> lines_;
    std::uint64_t linesPublished_ = 0;
    std::vector<Stream*> open_;  // oldest first
    bool closed_ = false;
};

}  // namespace tc
