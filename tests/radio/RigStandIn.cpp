#include "radio/RigStandIn.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <stdexcept>

#include "support/Child.h"

namespace {

void sendAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

// What Hamlib 4.5's rigctld answers to "\\dump_state" for its dummy rig (model 1), less its tuning steps,
// filters and optional lines but the PTT type: what a network rig client reads when it opens.
constexpr const char* kDumpState =
    "1\n1\n0\n"  // protocol, model, ITU region
    "150000.000000 1500000000.000000 0x1ff -1 -1 0x77e00007 0xf\n0 0 0 0 0 0 0\n"          // receive
    "150000.000000 1500000000.000000 0x1ff 5000 100000 0x77e00007 0xf\n0 0 0 0 0 0 0\n"    // transmit
    "0 0\n0 0\n9990\n9990\n10000\n0\n10 \n10 20 30 \n"  // steps, filters, RIT, XIT, IF, announce, preamp, att.
    "0xffffffffffffffff\n0xffffffffffffffff\n0xfffffffff7ffffff\n0xffffff7083ffffff\n0xffffffffffffffff\n"
    "0xffffffffffffffbf\nptt_type=0x1\ndone\n";  // functions, levels, parameters
constexpr const char* kOk = "RPRT 0\n";
constexpr const char* kNotAvailable = "RPRT -11\n";

}  // namespace

RigStandIn::RigStandIn(bool listening) : listenFd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&a), len) != 0 ||
        getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("the stand-in has no port");
    port_ = ntohs(a.sin_port);
    if (listening) startListening();
}

void RigStandIn::startListening() {
    if (listen(listenFd_, 4) != 0) throw std::runtime_error("the stand-in cannot listen");
    thread_ = std::thread([this] { serve(); });
}

RigStandIn::~RigStandIn() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    dropLine();
    shutdown(listenFd_, SHUT_RDWR);  // ends the wait for a client
    if (thread_.joinable()) thread_.join();
    close(listenFd_);
}

void RigStandIn::dropLine() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (client_ >= 0) shutdown(client_, SHUT_RDWR);
}

std::vector<std::string> RigStandIn::record() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return record_;
}

bool RigStandIn::waitFor(const std::string& line) {
    return eventually([&] { return find(record(), line) >= 0; });
}

int RigStandIn::find(const std::vector<std::string>& record, const std::string& line, int from) {
    for (int i = from + 1; i < static_cast<int>(record.size()); ++i)
        if (record[i] == line) return i;
    return -1;
}

std::string RigStandIn::answer(const std::string& command) {
    std::lock_guard<std::mutex> lock(mutex_);
    static const std::map<std::string, std::string> fixed = {
        {"\\chk_vfo", "0\n"}, {"v", "VFOA\n"}, {"f", "145000000\n"}, {"s", "0\nVFOA\n"}, {"m", "FM\n15000\n"},
        {"q", kOk},         {"T 1", kOk},  {"T 0", kOk}};
    auto starts = [&](const char* word) { return command.rfind(word, 0) == 0; };
    std::string reply = fixed.count(command) ? fixed.at(command) : kNotAvailable;
    if (command == "\\dump_state") {
        reply = kDumpState;
        record_.push_back("open");
    } else if (command == "\\get_dcd") {
        ++carrierReads;
        reply = !sense ? kNotAvailable : carrier ? "1\n" : "0\n";
    } else if (starts("T ")) {
        record_.push_back("ptt " + command.substr(2));
    } else if (starts("\\send_morse ") && keyer) {
        record_.push_back("morse " + command.substr(12));
        reply = kOk;
    } else if (starts("L KEYSPD ")) {
        record_.push_back("keyspd " + command.substr(9));
        reply = kOk;
    }
    return reply;
}

void RigStandIn::serve() {
    for (int fd; (fd = accept(listenFd_, nullptr, nullptr)) >= 0;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            client_ = fd;
            if (quit_) shutdown(fd, SHUT_RDWR);
        }
        converse(fd);
        std::lock_guard<std::mutex> lock(mutex_);
        client_ = -1;
        close(fd);
    }
}

void RigStandIn::converse(int client) {
    std::string pending;
    char buf[512];
    for (ssize_t n; (n = recv(client, buf, sizeof buf, 0)) > 0;) {
        pending.append(buf, static_cast<size_t>(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            if (!mute) sendAll(client, answer(pending.substr(0, end)));
    }
}
