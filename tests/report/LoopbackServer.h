#pragma once
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#define poll WSAPoll
#define MSG_NOSIGNAL 0
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#define closesocket close
#endif

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

// A one-connection HTTP server on 127.0.0.1 with an ephemeral port, on its
// own thread, for the Linux and the Windows tests alike: it takes one request
// whole (head and Content-Length body), then hands the connection to a script
// that plays the server's part. Without a script the port refuses
// connections: bound, never listening.
class LoopbackServer {
public:
#ifdef _WIN32
    using Socket = SOCKET;
#else
    using Socket = int;
#endif
    // Sends bytes; false once the client has gone or the server is ending.
    using Send = std::function<bool(std::string_view bytes)>;

    explicit LoopbackServer(std::function<void(const Send&)> script) {
#ifdef _WIN32
        static WSADATA wsa;
        static const int started = WSAStartup(MAKEWORD(2, 2), &wsa);  // once in the program
        (void)started;
#endif
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listenFd_ == Socket(-1) || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            throw std::runtime_error("cannot bind a loopback socket");
        port_ = ntohs(addr.sin_port);
        if (script && ::listen(listenFd_, 1) == 0) thread_ = std::thread([this, script] { serve(script); });
    }
    ~LoopbackServer() {
        request();
        ::closesocket(listenFd_);
    }
    int port() const { return port_; }
    // The server has stopped waiting for a client that never lets go.
    bool gaveUp() const { return std::chrono::steady_clock::now() >= giveUp_; }
    // Ends the server and returns the request as it came in (empty if none).
    std::string request() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return request_;
    }

private:
    // Until the test ends it, or a client that never lets go has had its time.
    bool live() const { return !stop_ && std::chrono::steady_clock::now() < giveUp_; }
    // Waits a short slice for fd to be ready.
    bool ready(Socket fd, short events) const {
        pollfd p{fd, events, 0};
        return live() && ::poll(&p, 1, 50) > 0;
    }
    bool wholeRequest() const {
        auto headEnd = request_.find("\r\n\r\n"), length = request_.find("\r\nContent-Length:");
        return headEnd != std::string::npos &&
               request_.size() >= headEnd + 4 + (length < headEnd ? std::stoul(request_.substr(length + 17)) : 0);
    }
    void serve(const std::function<void(const Send&)>& script) {
        while (live() && !ready(listenFd_, POLLIN)) {
        }
        Socket fd = live() ? ::accept(listenFd_, nullptr, nullptr) : Socket(-1);
        if (fd == Socket(-1)) return;
        char chunk[4096];
        for (ssize_t n = 1; live() && n > 0 && !wholeRequest();)
            if (ready(fd, POLLIN) && (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) request_.append(chunk, size_t(n));
        script([&](std::string_view bytes) {
            while (live() && !bytes.empty()) {
                ssize_t n = ready(fd, POLLOUT) ? ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) : 0;
                if (n < 0) return false;
                bytes.remove_prefix(static_cast<std::size_t>(n));
            }
            return live();
        });
        ::closesocket(fd);
    }

    Socket listenFd_;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    const std::chrono::steady_clock::time_point giveUp_ =
        std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::string request_;
    std::thread thread_;
};

// "HTTP/1.0 200 OK" with a Content-Length header for content, then content.
inline std::string okAnswer(std::string_view content) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(content.size()) + "\r\n\r\n" +
           std::string(content);
}

// length bytes that differ from slice to slice, so that order shows.
inline std::string patternBytes(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>('!' + (i * 7 + i / 1024) % 90);
    return bytes;
}
