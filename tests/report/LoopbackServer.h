#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

// A one-connection TCP server on 127.0.0.1 with an ephemeral port, run on its
// own thread: it takes one request whole (headers and Content-Length body),
// then lets a script play the server's part.
class LoopbackServer {
public:
    class Peer {
    public:
        Peer(int fd, const std::atomic<bool>& stop);
        // False once the client has gone or the server gives up.
        bool send(std::string_view bytes);
        // Returns when the client closes its end or the server gives up.
        void waitForClose();
        // Torn down, or a client that never lets go has had its time.
        bool stopping() const;

    private:
        int fd_;
        const std::atomic<bool>& stop_;
        std::chrono::steady_clock::time_point giveUp_;
    };
    using Script = std::function<void(Peer&)>;

    explicit LoopbackServer(Script script);
    ~LoopbackServer();

    int port() const { return port_; }
    // The request as it came in; waits a few seconds for it, empty if none came.
    std::string request();

private:
    void serve();
    std::string readRequest(int fd);

    Script script_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable arrived_;
    bool haveRequest_ = false;
    std::string request_;
    std::thread thread_;
};

// A port on 127.0.0.1 that refuses connections: bound, never listening.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// "HTTP/1.0 200 OK" with a Content-Length header for content, then content.
std::string okAnswer(std::string_view content);
// length bytes that differ from slice to slice, so that order shows.
std::string patternBytes(std::size_t length);
