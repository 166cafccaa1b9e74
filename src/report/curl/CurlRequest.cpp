#include "report/curl/CurlRequest.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "report/HttpTransport.h"

namespace tc {

namespace {

// "http://host:port/path", an IPv6 address in brackets. The port is always
// written out so that the connection goes exactly where it was asked to.
std::string urlOf(const CurlRequest::Target& target) {
    std::string host = target.host.find(':') == std::string::npos ? target.host
                                                                   : "[" + target.host + "]";
    int port = target.port == 0 ? kDefaultHttpPort : target.port;
    return "http://" + host + ":" + std::to_string(port) + target.path;
}

// The CR LF ended lines of text; empty when one of them is not "Name: value".
std::vector<std::string> headerLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.empty()) continue;
        auto colon = line.find(':');
        if (colon == 0 || colon == std::string::npos || line.find_first_of("\r\n") != std::string::npos)
            return {};
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

CurlRequest::CurlRequest(const Target& target, const CurlSettings& settings)
    : answerLimit_(settings.answerLimit) {
    easy_ = curl_easy_init();
    if (!easy_) return;
    long timeoutMs = std::max<long>(1, static_cast<long>(settings.timeout.count()));
    // curl would add "Accept: */*" and, for larger bodies, "Expect"; the
    // server gets only the headers the program asked for.
    headers_ = curl_slist_append(nullptr, "Accept:");
    if (headers_) headers_ = curl_slist_append(headers_, "Expect:");

    curl_easy_setopt(easy_, CURLOPT_URL, urlOf(target).c_str());
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy_, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION,
                     target.version == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    if (target.verb != "POST") curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, target.verb.c_str());
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, target.agent.c_str());
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
    // Straight to the server: proxy settings in the environment do not apply.
    curl_easy_setopt(easy_, CURLOPT_PROXY, "");
    curl_easy_setopt(easy_, CURLOPT_NOPROXY, "*");
    // One request, then the connection goes; nothing is kept for later.
    curl_easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    // No signals on a program with more than one thread, and no waiting at
    // the end for a name look-up that hangs.
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlRequest::onContent);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlRequest::onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
}

CurlRequest::~CurlRequest() {
    if (easy_) curl_easy_cleanup(easy_);
    curl_slist_free_all(headers_);
}

bool CurlRequest::addHeaders(const std::string& text) {
    if (!easy_ || !headers_) return false;
    auto lines = headerLines(text);
    if (lines.empty()) return false;
    for (const auto& line : lines) {
        curl_slist* grown = curl_slist_append(headers_, line.c_str());
        if (!grown) return false;
        headers_ = grown;
    }
    return curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_) == CURLE_OK;
}

bool CurlRequest::setBody(const std::string& body) {
    if (!easy_) return false;
    return curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE,
                            static_cast<curl_off_t>(body.size())) == CURLE_OK &&
           curl_easy_setopt(easy_, CURLOPT_COPYPOSTFIELDS, body.data()) == CURLE_OK;
}

std::size_t CurlRequest::take(char* buffer, std::size_t size) {
    std::size_t count = std::min(size, pending_.size() - readPos_);
    std::memcpy(buffer, pending_.data() + readPos_, count);
    readPos_ += count;
    if (readPos_ == pending_.size()) {
        pending_.clear();
        readPos_ = 0;
    }
    return count;
}

std::size_t CurlRequest::onContent(char* data, std::size_t size, std::size_t count, void* self) {
    return static_cast<CurlRequest*>(self)->keep(data, size * count);
}

std::size_t CurlRequest::onHeader(char*, std::size_t size, std::size_t count, void* self) {
    static_cast<CurlRequest*>(self)->answered_ = true;
    return size * count;
}

// Taking less than curl offers makes it drop the transfer, which is how an
// answer beyond the limit ends.
std::size_t CurlRequest::keep(const char* data, std::size_t length) {
    std::size_t count = std::min(length, answerLimit_ - kept_);
    try {
        pending_.append(data, count);
    } catch (...) {
        return 0;
    }
    kept_ += count;
    return count;
}

}  // namespace tc
