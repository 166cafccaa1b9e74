#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

constexpr int kSliceMs = 50;
constexpr auto kPatience = std::chrono::seconds(10);  // no test waits longer for a client

int boundSocket(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    port = ntohs(addr.sin_port);
    return fd;
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kSliceMs) > 0;
}

std::size_t contentLength(const std::string& head) {
    std::string lower;
    for (char c : head) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    auto at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::stoul(head.substr(at + 17));
}

}  // namespace

LoopbackServer::Peer::Peer(int fd, const std::atomic<bool>& stop)
    : fd_(fd), stop_(stop), giveUp_(std::chrono::steady_clock::now() + kPatience) {}

bool LoopbackServer::Peer::stopping() const {
    return stop_ || std::chrono::steady_clock::now() > giveUp_;
}

bool LoopbackServer::Peer::send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (stopping()) return false;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, kSliceMs) <= 0) continue;
        ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void LoopbackServer::Peer::waitForClose() {
    char sink[256];
    while (!stopping()) {
        if (readable(fd_) && ::recv(fd_, sink, sizeof sink, 0) <= 0) return;
    }
}

LoopbackServer::LoopbackServer(Script script) : script_(std::move(script)) {
    listenFd_ = boundSocket(port_);
    ::listen(listenFd_, 1);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    stop_ = true;
    thread_.join();
    ::close(listenFd_);
}

std::string LoopbackServer::request() {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, kPatience, [this] { return haveRequest_; });
    return request_;
}

void LoopbackServer::serve() {
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        if (!readable(listenFd_)) continue;
        int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0) return;
        std::string request = readRequest(fd);
        {
            std::lock_guard lock(mutex_);
            request_ = request;
            haveRequest_ = true;
        }
        arrived_.notify_all();
        Peer peer(fd, stop_);
        script_(peer);
        ::close(fd);
        return;
    }
}

std::string LoopbackServer::readRequest(int fd) {
    std::string text;
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        auto headEnd = text.find("\r\n\r\n");
        if (headEnd != std::string::npos &&
            text.size() >= headEnd + 4 + contentLength(text.substr(0, headEnd + 2)))
            break;
        if (!readable(fd)) continue;
        char chunk[4096];
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
}

RefusingPort::RefusingPort() { fd_ = boundSocket(port_); }

RefusingPort::~RefusingPort() { ::close(fd_); }

std::string okAnswer(std::string_view content) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(content.size()) + "\r\n\r\n" +
           std::string(content);
}

std::string patternBytes(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>('!' + (i * 7 + i / 1024) % 90);
    return bytes;
}
