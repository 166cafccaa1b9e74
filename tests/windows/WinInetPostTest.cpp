#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <sstream>
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
    explicit Listener(const std::string& content) {
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
        thread_ = std::thread([this, content] { serve(content); });
    }
    ~Listener() {
        ::closesocket(socket_);
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }
    int port() const { return port_; }
    const std::string& request() const { return request_; }

private:
    void serve(const std::string& content) {
        SOCKET client = ::accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        char buffer[4096];
        for (int n; (n = ::recv(client, buffer, sizeof buffer, 0)) > 0;) {
            request_.append(buffer, static_cast<size_t>(n));
            std::string head = request_.substr(0, request_.find("\r\n\r\n"));
            for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const size_t length = head.find("\r\ncontent-length:");
            const size_t body = length == std::string::npos ? 0 : std::stoul(head.substr(length + 17));
            if (head.size() < request_.size() && request_.size() >= head.size() + 4 + body) break;
        }
        const std::string answer = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + content;
        ::send(client, answer.data(), static_cast<int>(answer.size()), 0);
        ::closesocket(client);
    }

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

    // The request line, the program's headers (names in any case, no cookie) and the form data as typed.
    std::istringstream wire(server.request());
    std::string requestLine, line;
    std::vector<std::string> head;
    for (std::getline(wire, requestLine); std::getline(wire, line) && line != "\r"; head.push_back(line))
        for (size_t i = 0; i < line.find(':') && i < line.size(); ++i)
            line[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
    const std::string body = "Callsign=W1AW-R & co&Program=Tailchime&Ver=2.0.1";  // not encoded
    EXPECT_EQ(requestLine, "POST /EP/stats.php HTTP/1.0\r");
    for (const std::string& header : {"content-length: " + std::to_string(body.size()) + "\r",
                                      std::string("content-type: application/x-www-form-urlencoded\r"),
                                      "host: 127.0.0.1:" + std::to_string(server.port()) + "\r",
                                      std::string("user-agent: Tailchime\r")})
        EXPECT_NE(std::find(head.begin(), head.end(), header), head.end()) << header;
    EXPECT_TRUE(std::none_of(head.begin(), head.end(), [](const std::string& h) { return h.rfind("cookie", 0) == 0; }));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(wire), {}), body);
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
