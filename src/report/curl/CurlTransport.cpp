#include "report/curl/CurlTransport.h"

#include <vector>

#include "core/EventLoop.h"

namespace tc {

CurlTransport::CurlTransport(EventLoop& loop, CurlSettings settings)
    : loop_(loop), settings_(settings) {
    curlReady_ = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (curlReady_) multi_ = curl_multi_init();
}

CurlTransport::~CurlTransport() {
    // Whatever a handler that ended the program left open.
    while (!sessions_.empty()) closeHandle(sessions_.begin()->first);
    if (multi_) curl_multi_cleanup(multi_);
    if (curlReady_) curl_global_cleanup();
}

HttpHandle CurlTransport::open(const std::string& agent) {
    if (!multi_) return kNoHttpHandle;
    sessions_.emplace(++lastHandle_, Session{agent});
    return lastHandle_;
}

HttpHandle CurlTransport::connect(HttpHandle session, const std::string& server, int port) {
    if (!sessions_.count(session) || server.empty() || port < 0 || port > 65535) return kNoHttpHandle;
    connections_.emplace(++lastHandle_, Connection{session, server, port});
    return lastHandle_;
}

// The flags need no work here: curl keeps no cache, and its cookie engine
// stays off unless asked for.
HttpHandle CurlTransport::openRequest(HttpHandle connection, const std::string& verb,
                                      const std::string& path, const std::string& version,
                                      std::uint32_t) {
    auto found = connections_.find(connection);
    if (found == connections_.end() || verb.empty()) return kNoHttpHandle;
    const Connection& c = found->second;
    CurlRequest::Target target{sessions_.at(c.session).agent, c.host, c.port, verb, path, version};
    auto curl = std::make_unique<CurlRequest>(target, settings_);
    if (!curl->valid()) return kNoHttpHandle;
    requests_.emplace(++lastHandle_, Request{connection, std::move(curl)});
    return lastHandle_;
}

bool CurlTransport::addRequestHeaders(HttpHandle request, const std::string& headers) {
    auto found = requests_.find(request);
    return found != requests_.end() && !found->second.sent &&
           found->second.curl->addHeaders(headers);
}

bool CurlTransport::sendRequest(HttpHandle request, const std::string& body) {
    auto found = requests_.find(request);
    if (found == requests_.end() || found->second.sent) return false;
    Request& r = found->second;
    r.sent = true;
    if (!r.curl->setBody(body) || curl_multi_add_handle(multi_, r.curl->easy()) != CURLM_OK) {
        r.curl->finish();
        return false;
    }
    // Sending blocks: no handler runs before the request is on the wire and
    // answered, so none can end the program with the report unsent.
    pump(request, [](const CurlRequest& c) { return c.answered() || c.finished(); }, false);
    CurlRequest* after = findRequest(request);
    return after && after->answered();
}

std::size_t CurlTransport::readFile(HttpHandle request, char* buffer, std::size_t size) {
    auto found = requests_.find(request);
    if (found == requests_.end() || !found->second.sent || !buffer || size == 0) return 0;
    pump(request, [](const CurlRequest& c) { return c.hasContent() || c.finished(); }, true);
    CurlRequest* after = findRequest(request);
    return after ? after->take(buffer, size) : 0;
}

bool CurlTransport::closeHandle(HttpHandle handle) {
    if (requests_.count(handle)) {
        closeRequest(handle);
        return true;
    }
    if (connections_.count(handle)) {
        closeConnection(handle);
        return true;
    }
    if (sessions_.erase(handle) == 0) return false;
    std::vector<HttpHandle> under;
    for (const auto& [h, c] : connections_)
        if (c.session == handle) under.push_back(h);
    for (HttpHandle h : under) closeConnection(h);
    return true;
}

CurlRequest* CurlTransport::findRequest(HttpHandle handle) {
    auto found = requests_.find(handle);
    return found == requests_.end() ? nullptr : found->second.curl.get();
}

void CurlTransport::closeRequest(HttpHandle handle) {
    auto found = requests_.find(handle);
    if (found == requests_.end()) return;
    // curl_multi_remove_handle accepts a handle that was never added.
    curl_multi_remove_handle(multi_, found->second.curl->easy());
    requests_.erase(found);
}

void CurlTransport::closeConnection(HttpHandle handle) {
    std::vector<HttpHandle> under;
    for (const auto& [h, r] : requests_)
        if (r.connection == handle) under.push_back(h);
    for (HttpHandle h : under) closeRequest(h);
    connections_.erase(handle);
}

void CurlTransport::pump(HttpHandle handle, const std::function<bool(const CurlRequest&)>& done,
                         bool runEvents) {
    const int waitMs = static_cast<int>(settings_.eventInterval.count());
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi_, &running) != CURLM_OK) {
            // The multi handle itself broke: no transfer can go on.
            for (auto& [h, r] : requests_)
                if (r.sent) r.curl->finish();
        }
        collectFinished();
        CurlRequest* request = findRequest(handle);
        if (!request || done(*request)) return;
        curl_multi_poll(multi_, nullptr, 0, waitMs, nullptr);
        // Events run outside every curl call: a handler that ends the program
        // unwinds through here, never through curl.
        if (runEvents) loop_.processPendingEvents();
    }
}

void CurlTransport::collectFinished() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        void* request = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &request);
        if (request) static_cast<CurlRequest*>(request)->finish();
    }
}

}  // namespace tc
