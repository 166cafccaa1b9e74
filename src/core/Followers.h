#pragma once
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace tc {

// Whoever follows something, each for as long as the subscription it holds
// lives. Each is told in the order they subscribed. One that subscribes or
// cancels while they are being told hears from the next time on, or hears
// nothing more.
template <class... Args>
class Followers {
public:
    using Follower = std::function<void(Args...)>;

    class Subscription {
    public:
        Subscription() = default;
        explicit Subscription(std::shared_ptr<Follower> f) : follower_(std::move(f)) {}
        Subscription(Subscription&&) = default;
        Subscription& operator=(Subscription&& other) {
            cancel();
            follower_ = std::move(other.follower_);
            return *this;
        }
        ~Subscription() { cancel(); }
        void cancel() {
            if (follower_) *follower_ = nullptr;
            follower_.reset();
        }

    private:
        std::shared_ptr<Follower> follower_;
    };

    [[nodiscard]] Subscription subscribe(Follower follower) {
        auto entry = std::make_shared<Follower>(std::move(follower));
        followers_.push_back(entry);
        return Subscription(std::move(entry));
    }

    void tell(Args... args) {
        struct Depth {
            Followers& f;
            explicit Depth(Followers& x) : f(x) { ++f.depth_; }
            ~Depth() {
                if (--f.depth_ == 0)
                    std::erase_if(f.followers_, [](const std::shared_ptr<Follower>& e) { return !*e; });
            }
        } depth(*this);
        const std::size_t count = followers_.size();
        for (std::size_t i = 0; i < count; ++i) {
            std::shared_ptr<Follower> f = followers_[i];
            if (*f) (*f)(args...);
        }
    }

private:
    std::vector<std::shared_ptr<Follower>> followers_;
    int depth_ = 0;  // tellings under way
};

}  // namespace tc
