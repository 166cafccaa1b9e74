#include "report/win32/WinInetTransport.h"

#include <windows.h>
#include <wininet.h>

#include <cstdint>

namespace tc::win32 {

namespace {

HINTERNET handleOf(HttpHandle h) { return reinterpret_cast<HINTERNET>(static_cast<std::uintptr_t>(h)); }
HttpHandle numberOf(HINTERNET h) { return static_cast<HttpHandle>(reinterpret_cast<std::uintptr_t>(h)); }

}  // namespace

HttpHandle WinInetTransport::open(const std::string& agent) {
    return numberOf(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
}

HttpHandle WinInetTransport::connect(HttpHandle session, const std::string& server, int port) {
    return numberOf(InternetConnectA(handleOf(session), server.c_str(), static_cast<INTERNET_PORT>(port), "", "",
                                     INTERNET_SERVICE_HTTP, 0, 0));
}

HttpHandle WinInetTransport::openRequest(HttpHandle connection, const std::string& verb, const std::string& path,
                                         const std::string& version, std::uint32_t flags) {
    return numberOf(HttpOpenRequestA(handleOf(connection), verb.c_str(), path.c_str(), version.c_str(), nullptr,
                                     nullptr, flags, 0));
}

bool WinInetTransport::addRequestHeaders(HttpHandle request, const std::string& headers) {
    return HttpAddRequestHeadersA(handleOf(request), headers.c_str(), static_cast<DWORD>(headers.size()), 0) != FALSE;
}

bool WinInetTransport::sendRequest(HttpHandle request, const std::string& body) {
    return HttpSendRequestA(handleOf(request), nullptr, 0, const_cast<char*>(body.data()),
                            static_cast<DWORD>(body.size())) != FALSE;
}

std::size_t WinInetTransport::readFile(HttpHandle request, char* buffer, std::size_t size) {
    DWORD read = 0;
    if (!InternetReadFile(handleOf(request), buffer, static_cast<DWORD>(size), &read)) return 0;
    return read;
}

bool WinInetTransport::closeHandle(HttpHandle handle) { return InternetCloseHandle(handleOf(handle)) != FALSE; }

}  // namespace tc::win32
