#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tc {

// A handle of the HTTP client: a session, a connection under a session, or
// one request under a connection. 0 is never valid; a call given 0, or a
// handle already closed, fails.
using HttpHandle = std::uint64_t;
inline constexpr HttpHandle kNoHttpHandle = 0;

// The port the client uses when it is given port 0.
inline constexpr int kDefaultHttpPort = 80;

// Request flags, with the values the Windows Internet library gives them.
namespace httpflag {
inline constexpr std::uint32_t NoCacheWrite = 0x04000000;  // keep nothing in a cache
inline constexpr std::uint32_t NoCookies = 0x00080000;     // send and store no cookies
}  // namespace httpflag

// The HTTP client the program talks through. Its calls and their order are
// those of the Windows Internet library, so that on Windows the library
// itself stands behind it call for call. No call throws: a failure gives an
// invalid handle, false, or 0 bytes, and the next call fails in turn.
class HttpTransport {
public:
    virtual ~HttpTransport() = default;

    // A session for the given agent name, direct, without a proxy.
    virtual HttpHandle open(const std::string& agent) = 0;
    // A connection to server on port (0 for the default HTTP port).
    // Nothing goes out on the network yet.
    virtual HttpHandle connect(HttpHandle session, const std::string& server, int port) = 0;
    // A request for path, with verb and protocol version (e.g. "HTTP/1.0").
    virtual HttpHandle openRequest(HttpHandle connection, const std::string& verb,
                                   const std::string& path, const std::string& version,
                                   std::uint32_t flags) = 0;
    // Header lines, each ended by CR LF, added to the request.
    virtual bool addRequestHeaders(HttpHandle request, const std::string& headers) = 0;
    // Sends the request with body as its content. Returns when the server has
    // begun its answer or the client has given up (true only in the first case).
    virtual bool sendRequest(HttpHandle request, const std::string& body) = 0;
    // Copies up to size bytes of the answer's content into buffer and returns
    // their count: 0 once the answer is exhausted, and on any failure.
    virtual std::size_t readFile(HttpHandle request, char* buffer, std::size_t size) = 0;
    // Closes the handle and every handle opened under it.
    virtual bool closeHandle(HttpHandle handle) = 0;
};

}  // namespace tc
