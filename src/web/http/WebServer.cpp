#include "web/http/WebServer.h"

#include <httplib.h>

#include <chrono>

#include "web/http/Api.h"

namespace tc {

WebServer::WebServer(WebSettings settings, ListenAt at, Served served)
    : settings_(std::move(settings)),
      at_(std::move(at)),
      api_(std::make_unique<Api>(settings_, at_.address, std::move(served))) {}

WebServer::~WebServer() {
    api_->stopping();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
}

bool WebServer::start(std::string& problem) {
    if (tls()) {
        if (settings_.key.empty()) {
            problem = "CERT without KEY";
            return false;
        }
        server_ = std::make_unique<httplib::SSLServer>(settings_.cert.c_str(), settings_.key.c_str());
        if (!server_->is_valid()) {
            problem = "cannot serve TLS with " + settings_.cert + " and " + settings_.key;
            return false;
        }
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    httplib::Server& s = *server_;
    s.new_task_queue = [] { return new httplib::ThreadPool(kConnections); };
    s.set_read_timeout(kReadTimeoutS, 0);
    s.set_write_timeout(kReadTimeoutS, 0);
    s.set_keep_alive_timeout(kReadTimeoutS);
    s.set_keep_alive_max_count(100);
    s.set_payload_max_length(kMaxRequestBytes);
    api_->route(s, tls());
    if (!s.bind_to_port(at_.address, at_.port)) {
        problem = "cannot listen on " + at_.address + " port " + std::to_string(at_.port);
        return false;
    }
    thread_ = std::thread([&s] { s.listen_after_bind(); });
    // Until it runs, a stop would not reach it: wait for it to take up its socket.
    for (int i = 0; i < 5000 && !s.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

}  // namespace tc
