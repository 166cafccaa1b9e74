#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "report/HttpTransport.h"

namespace tc {

class EventLoop;

// One HTTP form post at a time: open the request, add the fields, send it and
// read the answer. Nothing here tests a handle or a result; a request that
// cannot be made simply yields an empty answer.
class Http {
public:
    static constexpr std::size_t kReadBufferSize = 1024;
    static constexpr std::uint32_t kRequestFlags = httpflag::NoCacheWrite | httpflag::NoCookies;

    Http(HttpTransport& transport, EventLoop& loop);

    // Starts a fresh POST of path to server; port 0 is the default HTTP port.
    void OpenRequest(const std::string& server, const std::string& path, int port = 0);
    // Appends "name=value" to the form data, "&" between fields. Nothing is
    // encoded: the server takes the station's texts exactly as they are.
    void AddField(const std::string& name, const std::string& value);
    // Sends the form data and returns the whole answer. After every read the
    // station's pending events run once, so ticks and host events are not
    // held up while the server answers.
    std::string Send();

    const std::string& body() const { return body_; }

private:
    HttpTransport& transport_;
    EventLoop& loop_;
    HttpHandle root_ = kNoHttpHandle;
    HttpHandle connection_ = kNoHttpHandle;
    std::uint32_t flags_ = 0;
    HttpHandle request_ = kNoHttpHandle;
    std::string body_;
};

}  // namespace tc
