#include "web/http/WebServer.h"

#include <thread>

#include "web/http/Api.h"
#include "web/http/Connection.h"

namespace tc {

using namespace http1;
using tcp = net::ip::tcp;

struct WebServer::Loop {
    net::io_context io{1};
    tcp::acceptor acceptor{io};
    net::steady_timer retry{io};
#ifdef TAILCHIME_WEB_TLS
    std::optional<net::ssl::context> tls;
#endif
    Shared shared{Admission(kConnections, kPerAddress), {}, std::make_shared<Gate>(io), {}, {}};
    Admission::Id lastId = 0;
    std::thread thread;

    void accept();
    void welcome(tcp::socket socket);
};

void WebServer::Loop::accept() {
    acceptor.async_accept(io, [this](beast::error_code ec, tcp::socket socket) {
        if (ec == net::error::operation_aborted) return;
        if (!ec) {
            welcome(std::move(socket));
            return accept();
        }
        // Out of descriptors, say: a while later, not in a tight loop.
        retry.expires_after(std::chrono::milliseconds(100));
        retry.async_wait([this](beast::error_code e) {
            if (!e) accept();
        });
    });
}

void WebServer::Loop::welcome(tcp::socket socket) {
    beast::error_code ec;
    auto remote = socket.remote_endpoint(ec).address();
    if (ec) return;
    if (remote.is_v6() && remote.to_v6().is_v4_mapped()) remote = net::ip::make_address_v4(net::ip::v4_mapped, remote.to_v6());
    const std::string peer = remote.to_string();
    const Admission::Id id = ++lastId;
    const Admission::Verdict verdict = shared.admission.admit(id, peer);
    if (!verdict.admitted) return;  // every connection in its way is being answered: it closes
    if (auto it = shared.open.find(verdict.evicted); it != shared.open.end()) it->second->close();
    std::shared_ptr<Closable> connection;
#ifdef TAILCHIME_WEB_TLS
    if (tls)
        connection = std::make_shared<Secure>(beast::ssl_stream<beast::tcp_stream>(std::move(socket), *tls), id, peer,
                                              shared);
#endif
    if (!connection) connection = std::make_shared<Plain>(beast::tcp_stream(std::move(socket)), id, peer, shared);
    shared.open[id] = connection;
    connection->start();
}

WebServer::WebServer(WebSettings settings, ListenAt at, Served served)
    : settings_(std::move(settings)), at_(std::move(at)), served_(std::move(served)), loop_(std::make_unique<Loop>()) {}

WebServer::~WebServer() {
    if (api_) api_->stopping();
    {
        std::lock_guard<std::mutex> lock(loop_->shared.gate->mutex);
        loop_->shared.gate->open = false;
    }
    loop_->io.stop();
    if (loop_->thread.joinable()) loop_->thread.join();
    {
        auto open = loop_->shared.open;
        for (auto& [id, connection] : open) connection->close();
    }
    loop_.reset();  // the loop last: what it has still to run holds connections
}

bool WebServer::start(std::string& problem) {
    Loop& loop = *loop_;
    if (tls()) {
#ifdef TAILCHIME_WEB_TLS
        if (settings_.key.empty()) {
            problem = "CERT without KEY";
            return false;
        }
        beast::error_code ec;
        loop.tls.emplace(net::ssl::context::tls_server);
        loop.tls->set_options(net::ssl::context::default_workarounds | net::ssl::context::no_sslv2 |
                              net::ssl::context::no_sslv3 | net::ssl::context::no_tlsv1 | net::ssl::context::no_tlsv1_1);
        loop.tls->use_certificate_chain_file(settings_.cert, ec);
        if (!ec) loop.tls->use_private_key_file(settings_.key, net::ssl::context::pem, ec);
        if (ec) {
            problem = "cannot serve TLS with " + settings_.cert + " and " + settings_.key;
            return false;
        }
#else
        problem = "this build serves no TLS: put a reverse proxy in front";
        return false;
#endif
    }
    beast::error_code ec;
    const auto address = net::ip::make_address(at_.address, ec);
    const tcp::endpoint endpoint(address, static_cast<unsigned short>(at_.port));
    if (!ec) loop.acceptor.open(endpoint.protocol(), ec);
    if (!ec) loop.acceptor.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec) loop.acceptor.bind(endpoint, ec);
    if (!ec) loop.acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        problem = "cannot listen on " + at_.address + " port " + std::to_string(at_.port);
        return false;
    }
    api_ = std::make_unique<Api>(settings_, at_.address, std::move(served_), tls(),
                                 [&loop](std::chrono::milliseconds after, std::function<void()> work) {
                                     auto timer = std::make_shared<net::steady_timer>(loop.io, after);
                                     timer->async_wait([timer, work = std::move(work)](beast::error_code e) {
                                         if (!e) work();
                                     });
                                 });
    loop.shared.route = [api = api_.get()](const HttpRequest& req, Reply reply) { api->handle(req, reply); };
    loop.shared.headers = {
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Cache-Control", "no-store"},
        {"Content-Security-Policy",
         "default-src 'self'; img-src 'self' data:; style-src 'self'; script-src 'self'; frame-ancestors 'none'"},
    };
    loop.accept();
    loop.thread = std::thread([&loop] { loop.io.run(); });
    return true;
}

}  // namespace tc
