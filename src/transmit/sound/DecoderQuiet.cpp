#include "transmit/sound/DecoderQuiet.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tc::sound {

namespace {

thread_local bool quiet = false;

#ifdef __GLIBC__
// stderr is replaced once by a stream that forwards to file descriptor 2
// unless the writing thread has asked for quiet; unbuffered like stderr.
ssize_t forward(void*, const char* buf, size_t size) {
    if (quiet) return static_cast<ssize_t>(size);
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(STDERR_FILENO, buf + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return done ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

void filterStderr() {
    static const bool installed = [] {
        cookie_io_functions_t io{nullptr, forward, nullptr, nullptr};
        FILE* filtered = fopencookie(nullptr, "w", io);
        if (!filtered) return false;
        setvbuf(filtered, nullptr, _IONBF, 0);
        std::fflush(stderr);
        stderr = filtered;
        return true;
    }();
    (void)installed;
}
#else
void filterStderr() {}
#endif

}  // namespace

DecoderQuiet::DecoderQuiet() : wasQuiet_(quiet) {
    filterStderr();
    quiet = true;
}

DecoderQuiet::~DecoderQuiet() { quiet = wasQuiet_; }

}  // namespace tc::sound
