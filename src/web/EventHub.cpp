#include "web/EventHub.h"

#include <algorithm>

namespace tc {

void EventHub::publish(const event::Status& view) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        view_ = view;
        ++viewVersion_;
    }
    changed_.notify_all();
}

void EventHub::publishLine(const std::string& line) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
        if (lines_.size() > kKeptLines) lines_.pop_front();
        ++linesPublished_;
    }
    changed_.notify_all();
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
    changed_.notify_all();
}

std::uint64_t EventHub::viewVersion() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return viewVersion_;
}

std::size_t EventHub::streams() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return streams_;
}

std::unique_ptr<EventHub::Stream> EventHub::open() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (streams_ >= kMaxStreams || closed_) return nullptr;
        ++streams_;
    }
    return std::make_unique<Stream>(*this);
}

EventHub::Stream::Stream(EventHub& hub) : hub_(hub) {
    // Starts with the view as it is and the lines still kept.
    std::lock_guard<std::mutex> lock(hub_.mutex_);
    linesSeen_ = hub_.linesPublished_ - hub_.lines_.size();
}

EventHub::Stream::~Stream() {
    std::lock_guard<std::mutex> lock(hub_.mutex_);
    --hub_.streams_;
}

EventHub::News EventHub::Stream::next(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(hub_.mutex_);
    hub_.changed_.wait_for(lock, wait, [&] {
        return hub_.closed_ || hub_.viewVersion_ != viewSeen_ || hub_.linesPublished_ != linesSeen_;
    });
    News news;
    news.closed = hub_.closed_;
    news.view = hub_.viewVersion_ != viewSeen_;
    viewSeen_ = hub_.viewVersion_;
    const std::uint64_t oldestKept = hub_.linesPublished_ - hub_.lines_.size();
    for (std::uint64_t n = std::max(linesSeen_, oldestKept); n < hub_.linesPublished_; ++n)
        news.lines.push_back(hub_.lines_[n - oldestKept]);
    linesSeen_ = hub_.linesPublished_;
    return news;
}

}  // namespace tc
