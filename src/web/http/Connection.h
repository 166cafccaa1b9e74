#pragma once
// One client's connection to the page, on the server's single thread,
// never waiting for anything. Only the server's own sources include this.
#include <utility>  // before Asio 1.74, whose coroutine support needs it

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#ifdef TAILCHIME_WEB_TLS
#include <boost/beast/ssl.hpp>
#endif

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "web/http/Admission.h"
#include "web/http/HttpMessage.h"

namespace tc::http1 {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

// How long a client may take, and how much it may send and leave unread.
struct Limits {
    static constexpr auto kHeaders = std::chrono::seconds(5);   // the whole header, from its first byte
    static constexpr auto kBody = std::chrono::seconds(5);
    static constexpr auto kIdle = std::chrono::seconds(15);     // between requests on one connection
    static constexpr auto kWrite = std::chrono::seconds(10);    // for each answer or piece of a stream
    static constexpr auto kLinger = std::chrono::seconds(1);    // to read what follows a refused request
    static constexpr auto kPing = std::chrono::seconds(2);
    static constexpr std::uint32_t kHeaderBytes = 8 * 1024;
    static constexpr std::uint64_t kBodyBytes = 16 * 1024;
    static constexpr std::size_t kBacklog = 64 * 1024;          // of a stream its client does not read
};

// Whether the server still takes news from other threads: closed before
// its loop ends, so that no one posts to a loop that is gone.
struct Gate {
    explicit Gate(net::io_context& io) : io(io) {}
    std::mutex mutex;
    bool open = true;
    net::io_context& io;
    template <class F>
    void post(F&& f) {
        std::lock_guard<std::mutex> lock(mutex);
        if (open) net::post(io, std::forward<F>(f));
    }
};

class Closable {
public:
    virtual ~Closable() = default;
    virtual void start() = 0;
    virtual void close() = 0;
};

// What a connection shares with the others.
struct Shared {
    Admission admission;
    std::map<Admission::Id, std::shared_ptr<Closable>> open;
    std::shared_ptr<Gate> gate;
    std::function<void(const HttpRequest&, Reply)> route;
    std::vector<std::pair<std::string, std::string>> headers;  // on every answer
};

template <class Stream>
class Connection : public Closable, public std::enable_shared_from_this<Connection<Stream>> {
public:
    Connection(Stream stream, Admission::Id id, std::string peer, Shared& shared)
        : stream_(std::move(stream)), id_(id), peer_(std::move(peer)), shared_(shared),
          ping_(stream_.get_executor()) {}

    void start() override;
    void close() override;

private:
    beast::tcp_stream& tcp() { return beast::get_lowest_layer(stream_); }
    void awaitRequest();
    void readHeader();
    void onHeader(beast::error_code ec);
    void onBody(beast::error_code ec);
    void answer(HttpReply reply);
    void refuse(int status, const std::string& why);
    void write(HttpReply reply, bool keepAlive);
    void linger();
    void startStream(HttpReply reply);
    void pump(bool first, bool ping);
    void send(std::string text);
    void armPing();
    Reply replyOnce();
    bool closed() const { return closed_; }

    Stream stream_;
    const Admission::Id id_;
    const std::string peer_;
    Shared& shared_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::unique_ptr<http::response<http::string_body>> response_;
    unsigned version_ = 11;
    bool keepAlive_ = false;
    bool closed_ = false;
    // An event stream.
    std::function<std::optional<std::string>(bool, bool)> feed_;
    std::shared_ptr<EventHub::Stream> events_;
    std::unique_ptr<http::response<http::empty_body>> streamHead_;
    std::unique_ptr<http::response_serializer<http::empty_body>> streamHeadWriter_;
    std::string sending_, backlog_;
    bool writing_ = false;
    std::shared_ptr<std::atomic<bool>> woken_ = std::make_shared<std::atomic<bool>>(false);
    net::steady_timer ping_;
    char scrap_[512];
};

using Plain = Connection<beast::tcp_stream>;
#ifdef TAILCHIME_WEB_TLS
using Secure = Connection<beast::ssl_stream<beast::tcp_stream>>;
#endif

}  // namespace tc::http1
