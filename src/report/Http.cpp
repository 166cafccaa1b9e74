#include "report/Http.h"

#include <algorithm>
#include <array>

#include "core/EventLoop.h"
#include "core/Identity.h"

namespace tc {

namespace {
const std::string kFormContentType = "Content-Type: application/x-www-form-urlencoded\r\n";
}

Http::Http(HttpTransport& transport, EventLoop& loop) : transport_(transport), loop_(loop) {}

void Http::OpenRequest(const std::string& server, const std::string& path, int port) {
    root_ = transport_.open(identity::kProduct);
    connection_ = transport_.connect(root_, server, port);
    flags_ = kRequestFlags;
    request_ = transport_.openRequest(connection_, "POST", path, "HTTP/1.0", flags_);
    transport_.addRequestHeaders(request_, kFormContentType);
    body_.clear();
}

void Http::AddField(const std::string& name, const std::string& value) {
    if (!body_.empty()) body_ += '&';
    body_ += name;
    body_ += '=';
    body_ += value;
}

std::string Http::Send() {
    std::string answer;
    std::array<char, kReadBufferSize> buffer{};
    transport_.sendRequest(request_, body_);
    std::size_t count = 0;
    do {
        count = std::min(transport_.readFile(request_, buffer.data(), buffer.size()), buffer.size());
        answer.append(buffer.data(), count);
        loop_.processPendingEvents();
    } while (count > 0);
    // The connection goes with the session that holds it.
    transport_.closeHandle(request_);
    transport_.closeHandle(root_);
    return answer;
}

}  // namespace tc
