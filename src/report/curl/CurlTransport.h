#pragma once
#include <curl/curl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "report/HttpTransport.h"
#include "report/curl/CurlRequest.h"
#include "report/curl/CurlSettings.h"

namespace tc {

class EventLoop;

// The HTTP client over libcurl's multi interface. Sending blocks until the
// server begins its answer (or the client gives up); while the answer is
// read, the client waits in short slices and lets the station's pending
// events run between them, so timer ticks and host events go on while the
// server takes its time. Every request is bounded by
// the settings: at most `timeout` in all and at most `answerLimit` bytes of
// answer kept.
class CurlTransport final : public HttpTransport {
public:
    explicit CurlTransport(EventLoop& loop, CurlSettings settings = {});
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpHandle open(const std::string& agent) override;
    HttpHandle connect(HttpHandle session, const std::string& server, int port) override;
    HttpHandle openRequest(HttpHandle connection, const std::string& verb, const std::string& path,
                           const std::string& version, std::uint32_t flags) override;
    bool addRequestHeaders(HttpHandle request, const std::string& headers) override;
    bool sendRequest(HttpHandle request, const std::string& body) override;
    std::size_t readFile(HttpHandle request, char* buffer, std::size_t size) override;
    bool closeHandle(HttpHandle handle) override;

private:
    struct Session {
        std::string agent;
    };
    struct Connection {
        HttpHandle session;
        std::string host;
        int port;
    };
    struct Request {
        HttpHandle connection;
        std::unique_ptr<CurlRequest> curl;
        bool sent = false;
    };

    CurlRequest* findRequest(HttpHandle handle);
    void closeRequest(HttpHandle handle);
    void closeConnection(HttpHandle handle);
    // Lets curl work on every transfer until done(request) holds or the
    // request has gone, with the station's events between the waits if asked.
    void pump(HttpHandle handle, const std::function<bool(const CurlRequest&)>& done, bool runEvents);
    void collectFinished();

    EventLoop& loop_;
    CurlSettings settings_;
    bool curlReady_ = false;
    CURLM* multi_ = nullptr;
    HttpHandle lastHandle_ = kNoHttpHandle;
    std::map<HttpHandle, Session> sessions_;
    std::map<HttpHandle, Connection> connections_;
    std::map<HttpHandle, Request> requests_;
};

}  // namespace tc
