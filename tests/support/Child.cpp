#include "support/Child.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        close(outPipe[0]);
        close(errPipe[0]);
        for (const auto& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    outReader_ = std::thread([this, fd = outPipe[0]] { pump(fd, out_); });
    errReader_ = std::thread([this, fd = errPipe[0]] { pump(fd, err_); });
}

Child::~Child() {
    if (pid_ > 0 && status_ == -2) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outReader_.joinable()) outReader_.join();
    if (errReader_.joinable()) errReader_.join();
}

void Child::pump(int fd, std::string& into) {
    char buf[4096];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        std::lock_guard<std::mutex> lock(mutex_);
        into.append(buf, static_cast<size_t>(n));
        grew_.notify_all();
    }
    close(fd);
    std::lock_guard<std::mutex> lock(mutex_);
    ++closed_;
    grew_.notify_all();
}

void Child::signal(int sig) {
    if (pid_ > 0 && status_ == -2) kill(pid_, sig);
}

int Child::wait() {
    if (pid_ <= 0) return -1;
    if (status_ != -2) return status_;
    int raw = 0;
    if (!eventually([&] { return waitpid(pid_, &raw, WNOHANG) != 0; })) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &raw, 0);
        return status_ = -1;
    }
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (outReader_.joinable()) outReader_.join();
    if (errReader_.joinable()) errReader_.join();
    return status_;
}

bool Child::waitFor(const std::string& stream, const std::string& text) {
    std::unique_lock<std::mutex> lock(mutex_);
    grew_.wait_for(lock, kGuard, [&] { return stream.find(text) != std::string::npos || closed_ == 2; });
    return stream.find(text) != std::string::npos;
}

std::string Child::out() {
    std::lock_guard<std::mutex> lock(mutex_);
    return out_;
}

std::string Child::err() {
    std::lock_guard<std::mutex> lock(mutex_);
    return err_;
}

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

}  // namespace

int freePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

bool acceptsConnections(int port) {
    return eventually(
        [port] {
            int fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a = loopback(port);
            bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
            close(fd);
            return ok;
        },
        std::chrono::milliseconds(50));
}
