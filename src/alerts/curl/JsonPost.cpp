#include "alerts/curl/JsonPost.h"

#include <curl/curl.h>

namespace {

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

// Ends a post under way once the webhook is going.
int givingUpNow(void* givingUp, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return (*static_cast<const std::function<bool()>*>(givingUp))() ? 1 : 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::string tailchime_webhook_post(
    const std::string& url, const std::string& json, long timeoutS, const std::function<bool()>& givingUp) {
    CURL* curl = curl_easy_init();
    if (!curl) return "libcurl did not start";
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, json.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(json.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeoutS);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &givingUp);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, givingUpNow);
    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    if (rc == CURLE_ABORTED_BY_CALLBACK) return "";
    if (rc != CURLE_OK) return curl_easy_strerror(rc);
    return status >= 300 ? "HTTP " + std::to_string(status) : "";
}
