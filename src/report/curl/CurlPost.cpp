#include "report/curl/CurlPost.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <algorithm>

#include "core/EventLoop.h"
#include "core/Identity.h"

namespace tc {

namespace {

// How long one wait on the network lasts before the station's events get
// their turn.
constexpr int kEventIntervalMs = 10;

struct Answer {
    std::string content;  // its room reserved: taking content never allocates
    std::size_t limit;
    bool begun = false;  // the server's status line has arrived
};

// Taking less than curl offers makes it drop the transfer, which is how an
// answer beyond the limit ends.
std::size_t onContent(char* data, std::size_t size, std::size_t count, void* answer) {
    auto& a = *static_cast<Answer*>(answer);
    std::size_t taken = std::min(size * count, a.limit - a.content.size());
    a.content.append(data, taken);
    return taken;
}

std::size_t onHeader(char*, std::size_t size, std::size_t count, void* answer) {
    static_cast<Answer*>(answer)->begun = true;
    return size * count;
}

// "http://host:port/path", an IPv6 address in brackets. The port is always
// written out so that the connection goes exactly where it was asked to.
std::string urlOf(const StatsServer& server, const std::string& path) {
    std::string host = server.host.find(':') == std::string::npos ? server.host : "[" + server.host + "]";
    return "http://" + host + ":" + std::to_string(server.port == 0 ? StatsServer::kHttpPort : server.port) + path;
}

// The handles of one post, let go in the order curl asks for however the
// post ends, a handler that ends the program included.
struct Handles {
    CURLM* multi = curl_multi_init();
    CURL* easy = curl_easy_init();
    curl_slist* headers = nullptr;
    ~Handles() {
        if (multi && easy) curl_multi_remove_handle(multi, easy);  // accepts a handle never added
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }
};

// The report's client lives in a module that the program unloads once the
// report is posted, libcurl with it. A name look-up that outlasted the post
// still runs on a thread of libcurl's, so then the module stays loaded.
void keepLoadedUnlessLookedUp(CURL* easy, CURLcode result) {
    curl_off_t lookupUs = 0;
    curl_easy_getinfo(easy, CURLINFO_NAMELOOKUP_TIME_T, &lookupUs);
    if (lookupUs > 0 || result == CURLE_COULDNT_RESOLVE_HOST) return;
    Dl_info self;
    if (dladdr(reinterpret_cast<void*>(&keepLoadedUnlessLookedUp), &self) && self.dli_fname)
        dlopen(self.dli_fname, RTLD_NOW | RTLD_NODELETE);
}

}  // namespace

CurlPost::CurlPost(EventLoop& loop) : loop_(loop), curlReady_(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}

CurlPost::~CurlPost() {
    if (curlReady_) curl_global_cleanup();
}

std::string CurlPost::post(const StatsServer& server, const std::string& path, const std::string& form,
                           const PostBounds& bounds) {
    Handles h;
    if (!curlReady_ || !h.multi || !h.easy) return "";
    // curl would add "Accept: */*" and, for larger bodies, "Expect"; the
    // server gets only the program's headers.
    for (const char* line : {"Accept:", "Expect:", "Content-Type: application/x-www-form-urlencoded"}) {
        curl_slist* grown = curl_slist_append(h.headers, line);
        if (!grown) return "";
        h.headers = grown;
    }
    Answer answer{{}, bounds.answerLimit, false};
    answer.content.reserve(bounds.answerLimit);
    const long timeoutMs = std::max<long>(1, static_cast<long>(bounds.timeout.count()));
    const std::string url = urlOf(server, path);
    curl_easy_setopt(h.easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(h.easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(h.easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(h.easy, CURLOPT_USERAGENT, identity::kProduct);
    curl_easy_setopt(h.easy, CURLOPT_HTTPHEADER, h.headers);
    curl_easy_setopt(h.easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(form.size()));
    curl_easy_setopt(h.easy, CURLOPT_POSTFIELDS, form.data());
    // Straight to the server: proxy settings in the environment do not apply.
    // curl keeps no cache, and its cookie engine stays off unless asked for.
    curl_easy_setopt(h.easy, CURLOPT_PROXY, "");
    curl_easy_setopt(h.easy, CURLOPT_NOPROXY, "*");
    // One request, then the connection goes; nothing is kept for later.
    curl_easy_setopt(h.easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h.easy, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h.easy, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    // No signals on a program with more than one thread, and no waiting at
    // the end for a name look-up that hangs.
    curl_easy_setopt(h.easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h.easy, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(h.easy, CURLOPT_WRITEFUNCTION, &onContent);
    curl_easy_setopt(h.easy, CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(h.easy, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(h.easy, CURLOPT_HEADERDATA, &answer);
    if (curl_multi_add_handle(h.multi, h.easy) != CURLM_OK) return "";
    for (int running = 1; curl_multi_perform(h.multi, &running) == CURLM_OK && running > 0;) {
        curl_multi_poll(h.multi, nullptr, 0, kEventIntervalMs, nullptr);
        // Events run outside every curl call: a handler that ends the
        // program unwinds through here, never through curl.
        if (answer.begun) loop_.processPendingEvents();
    }
    int left = 0;
    CURLMsg* done = curl_multi_info_read(h.multi, &left);
    keepLoadedUnlessLookedUp(h.easy, done && done->msg == CURLMSG_DONE ? done->data.result : CURLE_OPERATION_TIMEDOUT);
    return answer.content;
}

}  // namespace tc

extern "C" __attribute__((visibility("default"))) tc::ReportPost* tailchime_report_post(tc::EventLoop& loop) {
    return new tc::CurlPost(loop);
}
