#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ui/win32/WinEventLoop.h"
#include "report/UsageReport.h"
#include "report/win32/WinInetPost.h"

namespace {

using namespace std::chrono_literals;

// A one-request HTTP server on 127.0.0.1: keeps the request as it came and
// answers with the given content.
class Listener {
public:
    explicit Listener(std::string content) : content_(std::move(content)) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        ::listen(socket_, 1);
        thread_ = std::thread([this] { serve(); });
    }
    ~Listener() {
        ::closesocket(socket_);
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }

    int port() const { return port_; }
    const std::string& request() const { return request_; }

    // The header's value, or "(none)".
    std::string header(const std::string& name) const {
        const std::string head = request_.substr(0, request_.find("\r\n\r\n"));
        size_t at = 0;
        while ((at = head.find("\r\n", at)) != std::string::npos) {
            at += 2;
            const size_t colon = head.find(':', at);
            if (colon == std::string::npos) break;
            if (_stricmp(head.substr(at, colon - at).c_str(), name.c_str()) == 0) {
                size_t start = head.find_first_not_of(' ', colon + 1);
                return head.substr(start, head.find("\r\n", start) - start);
            }
        }
        return "(none)";
    }
    std::string body() const { return request_.substr(request_.find("\r\n\r\n") + 4); }

private:
    void serve() {
        SOCKET client = ::accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        char buffer[4096];
        for (;;) {
            const int n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request_.append(buffer, static_cast<size_t>(n));
            const size_t end = request_.find("\r\n\r\n");
            if (end != std::string::npos && request_.size() - end - 4 >= contentLength()) break;
        }
        const std::string answer = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + content_;
        ::send(client, answer.data(), static_cast<int>(answer.size()), 0);
        ::closesocket(client);
    }
    size_t contentLength() const {
        const std::string value = header("Content-Length");
        return value == "(none)" ? 0 : std::stoul(value);
    }

    std::string content_;
    SOCKET socket_;
    int port_ = 0;
    std::thread thread_;
    std::string request_;
};

}  // namespace

TEST(WinInetReport, ReachesTheServerAsOneHttp10FormPost) {
    Listener server("thanks");
    tc::win32::WinEventLoop loop;
    tc::win32::WinInetPost client(loop);
    const std::string told = tc::UsageReport(client, {"127.0.0.1", server.port()})
                                 .SaveUserData("W1AW-R & co", "Tailchime", "2.0.1");

    const std::string& request = server.request();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "POST /EP/stats.php HTTP/1.0");
    EXPECT_EQ(server.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(server.header("User-Agent"), "Tailchime");
    EXPECT_EQ(server.header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(server.header("Cookie"), "(none)");
    const std::string body = "Callsign=W1AW-R & co&Program=Tailchime&Ver=2.0.1";  // not encoded
    EXPECT_EQ(server.header("Content-Length"), std::to_string(body.size()));
    EXPECT_EQ(server.body(), body);
    EXPECT_EQ(told, body);
}

// Read in slices up to the answer limit, with the station's events between
// them; no server, no answer and no failure.
TEST(WinInetReport, TheAnswerIsReadUpToItsLimitWhileTheStationGoesOn) {
    std::string content;
    for (int i = 0; content.size() < 3000; ++i) content += std::to_string(i) + ",";
    Listener server(content);
    tc::win32::WinEventLoop loop;
    tc::win32::WinInetPost client(loop);
    int ticksDuringTheAnswer = 0;
    loop.post(loop.nowMs(), tc::Lane::Timers, [&] { ++ticksDuringTheAnswer; });
    EXPECT_EQ(client.post({"127.0.0.1", server.port()}, "/EP/stats.php", "Callsign=N0CALL-L", {10s, 2500}),
              content.substr(0, 2500));
    EXPECT_EQ(ticksDuringTheAnswer, 1);
    EXPECT_EQ(client.post({"127.0.0.1", 1}, "/EP/stats.php", "Callsign=N0CALL-L", {}), "");  // nothing on port 1
}
