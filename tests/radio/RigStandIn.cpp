#include "radio/RigStandIn.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <stdexcept>
#include <utility>

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

RigStandIn::RigStandIn() {
    if (pipe(wake_) != 0) throw std::runtime_error("no pipe");
    listenOn(0);
    thread_ = std::thread([this] { serve(); });
}

RigStandIn::~RigStandIn() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    (void)!write(wake_[1], "q", 1);
    thread_.join();
    dropClient();
    if (listenFd_ >= 0) close(listenFd_);
    close(wake_[0]);
    close(wake_[1]);
}

void RigStandIn::listenOn(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, 4) != 0) {
        close(fd);
        throw std::runtime_error("the stand-in cannot listen on port " + std::to_string(port));
    }
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    listenFd_ = fd;
}

void RigStandIn::dropLine() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        drop_ = true;
    }
    (void)!write(wake_[1], "d", 1);
}

void RigStandIn::stopListening() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
    dropClient();
}

void RigStandIn::dropClient() {
    if (client_ >= 0) close(client_);
    client_ = -1;
    pending_.clear();
}

void RigStandIn::startListening() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (listenFd_ < 0) listenOn(port_);
    (void)!write(wake_[1], "l", 1);
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
    // Called with the mutex held.
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
    for (;;) {
        pollfd fds[3];
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (quit_) return;
            if (std::exchange(drop_, false)) dropClient();
            fds[0] = {wake_[0], POLLIN, 0};
            fds[1] = {listenFd_, POLLIN, 0};  // poll passes over a closed one (-1)
            fds[2] = {client_, POLLIN, 0};
        }
        poll(fds, 3, 50);
        std::lock_guard<std::mutex> lock(mutex_);
        if (fds[0].revents) {
            char b[16];
            (void)!read(wake_[0], b, sizeof b);
        }
        if (listenFd_ >= 0 && fds[1].fd == listenFd_ && (fds[1].revents & POLLIN)) {
            int fd = accept(listenFd_, nullptr, nullptr);
            if (fd >= 0) {
                dropClient();
                client_ = fd;
            }
        }
        if (client_ < 0 || fds[2].fd != client_ || !(fds[2].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buf[512];
        ssize_t n = recv(client_, buf, sizeof buf, 0);
        if (n <= 0) {
            dropClient();
            continue;
        }
        pending_.append(buf, static_cast<size_t>(n));
        for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            std::string command = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!command.empty() && command.back() == '\r') command.pop_back();
            if (!mute) sendAll(client_, answer(command));
        }
    }
}
