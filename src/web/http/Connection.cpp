#include "web/http/Connection.h"

#include <type_traits>

#include "web/Json.h"

namespace tc::http1 {

namespace {

// What a client sent wrongly, as against a connection that ended or ran out of time.
bool malformed(const beast::error_code& ec) {
    return ec.category() == beast::error_code(http::error::bad_method).category() && ec != http::error::end_of_stream &&
           ec != http::error::partial_message;
}

std::string lower(beast::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

template <class Stream>
void Connection<Stream>::start() {
#ifdef TAILCHIME_WEB_TLS
    if constexpr (!std::is_same_v<Stream, beast::tcp_stream>) {
        tcp().expires_after(Limits::kHeaders);
        stream_.async_handshake(net::ssl::stream_base::server, [self = this->shared_from_this()](beast::error_code ec) {
            if (ec) return self->close();
            self->readHeader();
        });
        return;
    }
#endif
    readHeader();
}

template <class Stream>
void Connection<Stream>::close() {
    if (closed_) return;
    closed_ = true;
    auto self = this->shared_from_this();  // until the end of this call
    ping_.cancel();
    beast::error_code ignored;
    tcp().socket().shutdown(net::socket_base::shutdown_both, ignored);
    tcp().socket().close(ignored);
    feed_ = nullptr;
    events_.reset();  // its slot is free at once
    shared_.admission.leave(id_);
    shared_.open.erase(id_);
}

// After an answer on a kept connection: the next request may already be
// here (sent behind the last), or may come while the connection idles.
template <class Stream>
void Connection<Stream>::awaitRequest() {
    shared_.admission.waiting(id_);
    if (buffer_.size() > 0) return readHeader();
    tcp().expires_after(Limits::kIdle);
    stream_.async_read_some(buffer_.prepare(512),
                            [self = this->shared_from_this()](beast::error_code ec, std::size_t n) {
                                if (ec) return self->close();
                                self->buffer_.commit(n);
                                self->readHeader();
                            });
}

template <class Stream>
void Connection<Stream>::readHeader() {
    parser_.emplace();
    parser_->header_limit(Limits::kHeaderBytes);
    parser_->body_limit(Limits::kBodyBytes);
    tcp().expires_after(Limits::kHeaders);
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->onHeader(ec); });
}

template <class Stream>
void Connection<Stream>::onHeader(beast::error_code ec) {
    if (ec == http::error::header_limit || ec == http::error::buffer_overflow)
        return refuse(431, "the request's header is too large");
    if (ec == http::error::body_limit) return refuse(413, "the request is too large");
    if (ec) return malformed(ec) ? refuse(400, "malformed request") : close();
    shared_.admission.answering(id_);
    const auto& head = parser_->get();
    version_ = head.version();
    if (head.count(http::field::content_length) && head.count(http::field::transfer_encoding))
        return refuse(400, "Content-Length together with Transfer-Encoding");
    if (parser_->is_done()) return onBody({});
    tcp().expires_after(Limits::kBody);
    http::async_read(stream_, buffer_, *parser_,
                     [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->onBody(ec); });
}

template <class Stream>
void Connection<Stream>::onBody(beast::error_code ec) {
    if (ec == http::error::body_limit) return refuse(413, "the request is too large");
    if (ec) return malformed(ec) ? refuse(400, "malformed request") : close();
    auto message = parser_->release();
    HttpRequest request;
    request.method = std::string(message.method_string());
    const beast::string_view target = message.target();
    const auto mark = target.find('?');
    request.path = std::string(target.substr(0, mark));
    if (mark != beast::string_view::npos) request.query = std::string(target.substr(mark + 1));
    for (const auto& field : message) request.headers.emplace_back(lower(field.name_string()), field.value());
    request.body = std::move(message.body());
    request.peer = peer_;
    keepAlive_ = message.keep_alive();
    tcp().expires_never();
    shared_.route(request, replyOnce());
}

// The route may answer from another thread: the answer is worked out back
// here, if the connection and the server are still there.
template <class Stream>
Reply Connection<Stream>::replyOnce() {
    std::weak_ptr<Connection> weak = this->shared_from_this();
    auto given = std::make_shared<std::atomic<bool>>(false);
    return [weak, gate = shared_.gate, given](Answer answer) {
        if (given->exchange(true)) return;
        gate->post([weak, answer = std::move(answer)] {
            if (auto self = weak.lock(); self && !self->closed()) self->answer(answer());
        });
    };
}

template <class Stream>
void Connection<Stream>::answer(HttpReply reply) {
    // A request this malformed, or for another site, ends its connection.
    const bool keep = keepAlive_ && reply.status != 400 && reply.status != 421;
    if (!reply.feed) return write(std::move(reply), keep);
    if (version_ < 11) return refuse(505, "an event stream needs HTTP/1.1");
    startStream(std::move(reply));
}

template <class Stream>
void Connection<Stream>::refuse(int status, const std::string& why) {
    shared_.admission.answering(id_);
    HttpReply reply;
    reply.status = status;
    reply.body = "{\"error\":" + json::quote(why) + "}";
    write(std::move(reply), false);
}

template <class Stream>
void Connection<Stream>::write(HttpReply reply, bool keepAlive) {
    response_ = std::make_unique<http::response<http::string_body>>(static_cast<http::status>(reply.status), version_);
    for (const auto& [name, value] : shared_.headers) response_->set(name, value);
    response_->set(http::field::content_type, reply.type);
    for (const auto& [name, value] : reply.headers) response_->insert(name, value);
    response_->body() = std::move(reply.body);
    response_->keep_alive(keepAlive);
    response_->prepare_payload();
    tcp().expires_after(Limits::kWrite);
    http::async_write(stream_, *response_,
                      [self = this->shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                          if (ec) return self->close();
                          if (!keepAlive) return self->linger();
                          self->awaitRequest();
                      });
}

// Closing with a request still unread would reset the connection, and the
// client might never read its answer: read what it still sends, a while.
template <class Stream>
void Connection<Stream>::linger() {
    beast::error_code ignored;
    tcp().socket().shutdown(net::socket_base::shutdown_send, ignored);
    tcp().expires_after(Limits::kLinger);
    tcp().async_read_some(net::buffer(scrap_), [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
        if (ec) return self->close();
        self->linger();
    });
}

template <class Stream>
void Connection<Stream>::startStream(HttpReply reply) {
    feed_ = std::move(reply.feed);
    events_ = std::move(reply.stream);
    streamHead_ = std::make_unique<http::response<http::empty_body>>(http::status::ok, version_);
    for (const auto& [name, value] : shared_.headers) streamHead_->set(name, value);
    streamHead_->set(http::field::content_type, "text/event-stream");
    streamHead_->chunked(true);
    streamHeadWriter_ = std::make_unique<http::response_serializer<http::empty_body>>(*streamHead_);
    // A client that does not read fills little before its stream is dropped.
    beast::error_code ignored;
    tcp().socket().set_option(net::socket_base::send_buffer_size(int(Limits::kBacklog)), ignored);
    tcp().expires_after(Limits::kWrite);
    http::async_write_header(stream_, *streamHeadWriter_, [self = this->shared_from_this()](beast::error_code ec,
                                                                                             std::size_t) {
        if (ec) return self->close();
        std::weak_ptr<Connection> weak = self;
        self->events_->wake([weak, gate = self->shared_.gate, woken = self->woken_] {
            if (woken->exchange(true)) return;  // one call on its way is enough
            gate->post([weak, woken] {
                woken->store(false);
                if (auto s = weak.lock(); s && !s->closed()) s->pump(false, false);
            });
        });
        self->armPing();
        self->pump(true, false);
    });
}

template <class Stream>
void Connection<Stream>::pump(bool first, bool ping) {
    auto text = feed_(first, ping);
    if (!text) return close();
    if (!text->empty()) send(std::move(*text));
}

template <class Stream>
void Connection<Stream>::send(std::string text) {
    if (writing_) {
        backlog_ += text;
        if (backlog_.size() > Limits::kBacklog) close();  // its client does not read
        return;
    }
    writing_ = true;
    sending_ = std::move(text);
    tcp().expires_after(Limits::kWrite);
    net::async_write(stream_, http::make_chunk(net::buffer(sending_)),
                     [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
                         if (ec) return self->close();
                         self->writing_ = false;
                         self->tcp().expires_never();
                         if (!self->backlog_.empty()) self->send(std::exchange(self->backlog_, std::string()));
                     });
}

template <class Stream>
void Connection<Stream>::armPing() {
    ping_.expires_after(Limits::kPing);
    ping_.async_wait([self = this->shared_from_this()](beast::error_code ec) {
        if (ec || self->closed()) return;
        self->pump(false, true);
        if (!self->closed()) self->armPing();
    });
}

template class Connection<beast::tcp_stream>;
#ifdef TAILCHIME_WEB_TLS
template class Connection<beast::ssl_stream<beast::tcp_stream>>;
#endif

}  // namespace tc::http1
