#include "alerts/curl/Webhook.h"

#include <curl/curl.h>


namespace tc {

namespace {

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace

Webhook::Webhook(std::string url, std::function<void(const std::string&)> failed)
    : url_(std::move(url)), failed_(std::move(failed)), thread_([this] { work(); }) {}

Webhook::~Webhook() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void Webhook::post(std::string json) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (waiting_.size() >= kMaxWaiting) return;
        waiting_.push_back(std::move(json));
    }
    wake_.notify_one();
}

void Webhook::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        std::string json = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        CURL* curl = curl_easy_init();
        CURLcode rc = CURLE_FAILED_INIT;
        long status = 0;
        if (curl) {
            curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
            curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
            curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, json.c_str());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(json.size()));
            curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTimeoutS);
            curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
            // A stop ends the post under way too.
            curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
            curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
            curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION,
                             +[](void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) -> int {
                                 auto* me = static_cast<Webhook*>(self);
                                 std::lock_guard<std::mutex> l(me->mutex_);
                                 return me->stopping_ ? 1 : 0;
                             });
            rc = curl_easy_perform(curl);
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
            curl_slist_free_all(headers);
            curl_easy_cleanup(curl);
        }
        if (failed_ && (rc != CURLE_OK || status >= 300) && rc != CURLE_ABORTED_BY_CALLBACK)
            failed_(rc != CURLE_OK ? curl_easy_strerror(rc) : "HTTP " + std::to_string(status));
        lock.lock();
    }
}

}  // namespace tc
