#include "web/posix/QuietTerminal.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

namespace tc {

std::optional<std::string> askAtTerminal(const char* prompt) {
    if (!isatty(STDIN_FILENO)) return std::nullopt;
    std::cerr << prompt << std::flush;
    termios before{};
    const bool quiet = tcgetattr(STDIN_FILENO, &before) == 0;
    if (quiet) {
        termios silent = before;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    std::getline(std::cin, line);
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    std::cerr << "\n";
    return line;
}

}  // namespace tc
