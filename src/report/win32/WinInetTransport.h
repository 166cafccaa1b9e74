#pragma once
#include "report/HttpTransport.h"

namespace tc::win32 {

// The HTTP client is the Windows Internet library itself, call for call:
// a direct session without proxy, a connection with empty user name and
// password, a request with no referrer and no accept types, the extra
// headers, the body as the request's data, reads into the caller's buffer,
// and the handles closed by the library. Its handles travel as the port's
// numbers; its calls block the logic thread, as the report expects.
class WinInetTransport final : public HttpTransport {
public:
    HttpHandle open(const std::string& agent) override;
    HttpHandle connect(HttpHandle session, const std::string& server, int port) override;
    HttpHandle openRequest(HttpHandle connection, const std::string& verb, const std::string& path,
                           const std::string& version, std::uint32_t flags) override;
    bool addRequestHeaders(HttpHandle request, const std::string& headers) override;
    bool sendRequest(HttpHandle request, const std::string& body) override;
    std::size_t readFile(HttpHandle request, char* buffer, std::size_t size) override;
    bool closeHandle(HttpHandle handle) override;
};

}  // namespace tc::win32
