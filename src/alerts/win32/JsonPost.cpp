#include <windows.h>
#include <wininet.h>

#include <memory>

#include "alerts/JsonPost.h"
#include "core/Identity.h"

namespace tc {

namespace {

struct Close {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, Close>;

const char kJsonContentType[] = "Content-Type: application/json\r\n";

std::string lastError(const char* what) { return std::string(what) + " failed (" + std::to_string(GetLastError()) + ")"; }

}  // namespace

std::string postJson(const std::string& address, const std::string& json, long timeoutS,
                     const std::function<bool()>& givingUp) {
    Handle session{InternetOpenA(identity::kProduct, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
    if (!session) return lastError("opening WinINet");
    DWORD timeoutMs = static_cast<DWORD>(timeoutS) * 1000;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(session.get(), option, &timeoutMs, static_cast<DWORD>(sizeof timeoutMs));
    // The URL as WinINet reads it: scheme, host, port, path and query.
    char host[256] = "", path[2048] = "";
    URL_COMPONENTSA url{};
    url.dwStructSize = sizeof url;
    url.lpszHostName = host;
    url.dwHostNameLength = sizeof host;
    url.lpszUrlPath = path;
    url.dwUrlPathLength = sizeof path;
    url.dwExtraInfoLength = 1;
    std::string why;
    if (!InternetCrackUrlA(address.c_str(), 0, 0, &url)) {
        why = "not a URL";
    } else {
        const std::string target = std::string(path, url.dwUrlPathLength) +
                                   (url.lpszExtraInfo ? std::string(url.lpszExtraInfo, url.dwExtraInfoLength) : "");
        const DWORD secure = url.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
        Handle connection{InternetConnectA(session.get(), host, url.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0)};
        Handle request{connection ? HttpOpenRequestA(connection.get(), "POST", target.c_str(), "HTTP/1.1", nullptr,
                                                     nullptr,
                                                     INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                                                         INTERNET_FLAG_RELOAD | secure,
                                                     0)
                                  : nullptr};
        DWORD status = 0, size = sizeof status;
        if (!request)
            why = lastError("connecting");
        else if (!HttpSendRequestA(request.get(), kJsonContentType, sizeof kJsonContentType - 1,
                                   const_cast<char*>(json.data()), static_cast<DWORD>(json.size())))
            why = lastError("sending");
        else if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                                 nullptr))
            why = lastError("reading the answer");
        else if (status >= 300)
            why = "HTTP " + std::to_string(status);
    }
    return givingUp() ? "" : why;
}

}  // namespace tc
