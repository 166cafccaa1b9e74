#pragma once
#include <functional>
#include <string>

#include "alerts/JsonPost.h"
#include "core/Worker.h"

namespace tc {

// Posts each alert's JSON to a URL, one at a time, on a thread of its own
// (the station never waits for it), each within kTimeoutS. What it could
// not post it tells `failed` (from its own thread). At most kMaxWaiting
// wait; more push out the oldest.
class Webhook {
public:
    static constexpr long kTimeoutS = 10;
    static constexpr std::size_t kMaxWaiting = 64;

    Webhook(std::string url, std::function<void(const std::string& why)> failed)
        : url_(std::move(url)), failed_(std::move(failed)) {}

    void post(std::string json) {
        worker_.hand([this, json = std::move(json)] { send(json); });
    }

private:
    void send(const std::string& json) {
        const std::string why = postJson(url_, json, kTimeoutS, [this] { return worker_.stopping(); });
        if (failed_ && !why.empty() && !worker_.stopping()) failed_(why);
    }

    const std::string url_;
    std::function<void(const std::string&)> failed_;
    Worker worker_{kMaxWaiting};  // last: stopped first, the post under way given up
};

}  // namespace tc
