#pragma once
// A client that sends whatever bytes a test gives it, to 127.0.0.1 only.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "support/Child.h"

class RawSocket {
public:
    RawSocket(int port, const std::string& bytes) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(static_cast<uint16_t>(port));
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
            send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))
            ADD_FAILURE() << "not sent to port " << port;
    }
    ~RawSocket() { close(fd_); }
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    // Everything the server sends until it closes the connection; nothing
    // when the guard against hangs runs out first.
    std::optional<std::string> answer() {
        timeval guard{Child::kGuard.count(), 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        std::string got;
        char buffer[4096];
        ssize_t n;
        while ((n = recv(fd_, buffer, sizeof buffer, 0)) > 0) got.append(buffer, static_cast<size_t>(n));
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return std::nullopt;
        return got;
    }

private:
    int fd_;
};
