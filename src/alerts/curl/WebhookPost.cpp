#include "alerts/Webhook.h"

#include <curl/curl.h>

namespace tc {

namespace {

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

// Ends a post under way once the webhook is going.
int givingUp(void* worker, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Worker*>(worker)->stopping() ? 1 : 0;
}

}  // namespace

void Webhook::send(const std::string& json) {
    CURL* curl = curl_easy_init();
    if (!curl) return;
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, json.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(json.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTimeoutS);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &worker_);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, givingUp);
    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    if (failed_ && rc != CURLE_ABORTED_BY_CALLBACK && (rc != CURLE_OK || status >= 300))
        failed_(rc != CURLE_OK ? curl_easy_strerror(rc) : "HTTP " + std::to_string(status));
}

}  // namespace tc
