#include "web/secure/PasswordCommand.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "app/posix/IniProfile.h"
#include "web/WebSettings.h"
#include "web/secure/Secrets.h"

namespace tc {

namespace {

// Reads a line from the terminal with its echo off, the terminal restored
// afterwards.
std::string askQuietly(const char* prompt, std::istream& in, std::ostream& err) {
    err << prompt << std::flush;
    termios before{};
    const bool quiet = tcgetattr(STDIN_FILENO, &before) == 0;
    if (quiet) {
        termios silent = before;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    std::getline(in, line);
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    err << "\n";
    return line;
}

}  // namespace

int setWebPassword(const std::string& configDir, std::istream& in, std::ostream& err) {
    std::string password;
    if (isatty(STDIN_FILENO) && &in == &std::cin) {
        password = askQuietly("New password for the web page: ", in, err);
        if (askQuietly("The same again: ", in, err) != password) {
            err << "tailchime: the two passwords differ; nothing was stored\n";
            return 1;
        }
    } else {
        std::getline(in, password);
    }
    if (!password.empty() && password.back() == '\r') password.pop_back();
    if (password.empty()) {
        err << "tailchime: an empty password is no password; nothing was stored\n";
        return 1;
    }
    auto hash = secrets::hashPassword(password);
    if (!hash) {
        err << "tailchime: the password could not be hashed (out of memory?); nothing was stored\n";
        return 1;
    }
    IniProfile profile(configDir + "/tailchime.ini");
    if (!profile.WriteString(WebSettings::kSection, "PASSWORD", *hash) || !profile.Flush()) {
        err << "tailchime: cannot write " << profile.Location() << "\n";
        return 1;
    }
    err << "The web page's password is stored (as its hash) in " << profile.Location() << "\n";
    return 0;
}

int makeMetricsToken(const std::string& configDir, std::ostream& out, std::ostream& err) {
    const std::string token = secrets::newToken();
    IniProfile profile(configDir + "/tailchime.ini");
    if (!profile.WriteString(WebSettings::kSection, "METRICS_TOKEN", secrets::tokenHash(token)) || !profile.Flush()) {
        err << "tailchime: cannot write " << profile.Location() << "\n";
        return 1;
    }
    out << token << "\n";
    err << "This is the scrapers' token for /metrics (Authorization: Bearer TOKEN); only its hash is kept, in "
        << profile.Location() << ", so note it now. A new one replaces it.\n";
    return 0;
}

}  // namespace tc
