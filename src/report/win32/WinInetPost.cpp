#include "report/win32/WinInetPost.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>

#include "core/EventLoop.h"
#include "core/Identity.h"

namespace tc::win32 {

namespace {

struct Close {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
// Closed however the post ends, a handler that ends the program included.
using Handle = std::unique_ptr<void, Close>;

const char kFormContentType[] = "Content-Type: application/x-www-form-urlencoded\r\n";

}  // namespace

std::string WinInetPost::post(const StatsServer& server, const std::string& path, const std::string& form,
                              const PostBounds& bounds) {
    const auto deadline = std::chrono::steady_clock::now() + bounds.timeout;
    Handle session{InternetOpenA(identity::kProduct, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)};
    if (!session) return "";
    DWORD timeoutMs = static_cast<DWORD>(std::max<long long>(1, bounds.timeout.count()));
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(session.get(), option, &timeoutMs, static_cast<DWORD>(sizeof timeoutMs));
    Handle connection{InternetConnectA(session.get(), server.host.c_str(), static_cast<INTERNET_PORT>(server.port),
                                       "", "", INTERNET_SERVICE_HTTP, 0, 0)};
    Handle request{connection ? HttpOpenRequestA(connection.get(), "POST", path.c_str(), "HTTP/1.0", nullptr,
                                                 nullptr, INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES, 0)
                              : nullptr};
    if (!request || !HttpAddRequestHeadersA(request.get(), kFormContentType, sizeof kFormContentType - 1, 0) ||
        !HttpSendRequestA(request.get(), nullptr, 0, const_cast<char*>(form.data()), static_cast<DWORD>(form.size())))
        return "";
    std::string answer;
    char buffer[1024];
    DWORD read = 0;
    while (answer.size() < bounds.answerLimit && std::chrono::steady_clock::now() < deadline &&
           InternetReadFile(request.get(), buffer,
                            static_cast<DWORD>(std::min(sizeof buffer, bounds.answerLimit - answer.size())), &read) &&
           read > 0) {
        answer.append(buffer, read);
        loop_.processPendingEvents();
    }
    return answer;
}

}  // namespace tc::win32
