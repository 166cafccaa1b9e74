#pragma once
// A client that sends whatever bytes a test gives it, to 127.0.0.1 only.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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
        std::string got;
        const auto until = std::chrono::steady_clock::now() + Child::kGuard;
        while (std::chrono::steady_clock::now() < until) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char buffer[4096];
            ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) return got;
            got.append(buffer, static_cast<size_t>(n));
        }
        return std::nullopt;
    }

private:
    int fd_;
};
