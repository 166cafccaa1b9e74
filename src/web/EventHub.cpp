#include "web/EventHub.h"

#include <algorithm>

namespace tc {

void EventHub::publish(const event::Status& view) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        view_ = view;
        ++viewVersion_;
    }
    wakeAll();
}

void EventHub::publishLine(const std::string& line) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
        if (lines_.size() > kKeptLines) lines_.pop_front();
        ++linesPublished_;
    }
    wakeAll();
}

event::Status EventHub::view() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return view_;
}

void EventHub::close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    wakeAll();
}

std::uint64_t EventHub::viewVersion() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return viewVersion_;
}

std::size_t EventHub::streams() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_.size();
}

void EventHub::nudge() { wakeAll(); }

std::unique_ptr<EventHub::Stream> EventHub::open(bool anonymous) {
    std::unique_ptr<Stream> stream;
    {
        // Counted and placed in one step: streams opened at once never all get a slot.
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_) return nullptr;
        const auto isAnonymous = [](const Stream* s) { return s->anonymous_ && !s->dropped_; };
        const auto live = std::count_if(open_.begin(), open_.end(), [](const Stream* s) { return !s->dropped_; });
        if (anonymous && std::count_if(open_.begin(), open_.end(), isAnonymous) >= long(kMaxStreams / 2))
            return nullptr;
        if (live >= long(kMaxStreams)) {
            if (anonymous) return nullptr;
            auto oldest = std::find_if(open_.begin(), open_.end(), isAnonymous);
            if (oldest == open_.end())
                oldest = std::find_if(open_.begin(), open_.end(), [](const Stream* s) { return !s->dropped_; });
            (*oldest)->dropped_ = true;
        }
        stream.reset(new Stream(*this, anonymous));
        // Starts with the view as it is and the lines still kept.
        stream->linesSeen_ = linesPublished_ - lines_.size();
        open_.push_back(stream.get());
    }
    wakeAll();
    return stream;
}

void EventHub::wakeAll() {
    std::vector<std::function<void()>> wakers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Stream* s : open_)
            if (s->waker_) wakers.push_back(s->waker_);
    }
    for (const auto& w : wakers) w();
}

void EventHub::Stream::wake(std::function<void()> waker) {
    std::lock_guard<std::mutex> lock(hub_.mutex_);
    waker_ = std::move(waker);
}

EventHub::Stream::Stream(EventHub& hub, bool anonymous) : hub_(hub), anonymous_(anonymous) {}

EventHub::Stream::~Stream() {
    std::lock_guard<std::mutex> lock(hub_.mutex_);
    std::erase(hub_.open_, this);
}

EventHub::News EventHub::Stream::take() {
    std::lock_guard<std::mutex> lock(hub_.mutex_);
    News news;
    news.closed = hub_.closed_ || dropped_;
    news.view = hub_.viewVersion_ != viewSeen_;
    viewSeen_ = hub_.viewVersion_;
    const std::uint64_t oldestKept = hub_.linesPublished_ - hub_.lines_.size();
    for (std::uint64_t n = std::max(linesSeen_, oldestKept); n < hub_.linesPublished_; ++n)
        news.lines.push_back(hub_.lines_[n - oldestKept]);
    linesSeen_ = hub_.linesPublished_;
    return news;
}

}  // namespace tc
