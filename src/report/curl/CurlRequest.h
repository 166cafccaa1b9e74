#pragma once
#include <curl/curl.h>

#include <cstddef>
#include <string>

#include "report/curl/CurlSettings.h"

namespace tc {

// One HTTP request as a curl easy handle, and the part of its answer that has
// arrived but not been read yet.
class CurlRequest {
public:
    struct Target {
        std::string agent;
        std::string host;
        int port = 0;
        std::string verb;
        std::string path;
        std::string version;
    };

    CurlRequest(const Target& target, const CurlSettings& settings);
    ~CurlRequest();
    CurlRequest(const CurlRequest&) = delete;
    CurlRequest& operator=(const CurlRequest&) = delete;

    // False when curl could not make the handle; nothing else works then.
    bool valid() const { return easy_ != nullptr; }
    CURL* easy() const { return easy_; }

    // Adds each CR LF ended line of text; false, adding nothing, when a
    // line is not "Name: value".
    bool addHeaders(const std::string& text);
    // Hands curl the content to send; called once, before the transfer starts.
    bool setBody(const std::string& body);

    // The server's status line has arrived.
    bool answered() const { return answered_; }
    // The transfer is over, complete or not; what arrived can still be read.
    bool finished() const { return finished_; }
    void finish() { finished_ = true; }

    bool hasContent() const { return readPos_ < pending_.size(); }
    // Moves up to size bytes of the arrived content into buffer.
    std::size_t take(char* buffer, std::size_t size);

private:
    static std::size_t onContent(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    std::size_t keep(const char* data, std::size_t length);

    CURL* easy_ = nullptr;
    curl_slist* headers_ = nullptr;
    std::size_t answerLimit_;
    std::size_t kept_ = 0;  // content bytes taken from curl so far
    std::string pending_;
    std::size_t readPos_ = 0;
    bool answered_ = false;
    bool finished_ = false;
};

}  // namespace tc
