#pragma once
// Clients that never finish a request: each connection sends one more
// header line every 2 s, and comes back whenever it is closed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace bench {

inline int connectTo(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<uint16_t>(port));
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        send(fd, "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\n", 42, MSG_NOSIGNAL) != 42) {
        close(fd);
        return -1;
    }
    return fd;
}

struct SlowClients {
    SlowClients(int port, int count) : port(port), thread([this, count] { run(count); }) {}
    ~SlowClients() {
        done = true;
        thread.join();
    }
    void run(int count) {
        std::vector<int> fds(static_cast<size_t>(count), -1);
        for (int round = 0; !done; ++round) {
            for (int& fd : fds) {
                const std::string line = "X-Slow-" + std::to_string(round) + ": y\r\n";
                if (fd < 0 || send(fd, line.data(), line.size(), MSG_NOSIGNAL) != ssize_t(line.size())) {
                    if (fd >= 0) close(fd), ++reconnects;
                    fd = connectTo(port);
                }
            }
            for (int i = 0; i < 100 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        for (int fd : fds)
            if (fd >= 0) close(fd);
    }
    const int port;
    std::atomic<bool> done{false};
    std::atomic<long> reconnects{0};
    std::thread thread;
};

}  // namespace bench
