#include "web/secure/PasswordCommand.h"

#include <iostream>

#include "core/Profile.h"
#include "web/WebSettings.h"
#include "web/secure/Secrets.h"

namespace tc {

int setWebPassword(Profile& settings, std::istream& in, std::ostream& err, const AskQuietly& ask) {
    std::string password;
    if (auto typed = ask ? ask("New password for the web page: ") : std::nullopt) {
        if (ask("The same again: ") != typed) {
            err << "tailchime: the two passwords differ; nothing was stored\n";
            return 1;
        }
        password = *typed;
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
    if (!settings.WriteString(WebSettings::kSection, "PASSWORD", *hash) || !settings.Flush()) {
        err << "tailchime: cannot write " << settings.Location() << "\n";
        return 1;
    }
    err << "The web page's password is stored (as its hash) in " << settings.Location() << "\n";
    return 0;
}

int makeMetricsToken(Profile& settings, std::ostream& out, std::ostream& err) {
    const std::string token = secrets::newToken();
    if (!settings.WriteString(WebSettings::kSection, "METRICS_TOKEN", secrets::tokenHash(token)) || !settings.Flush()) {
        err << "tailchime: cannot write " << settings.Location() << "\n";
        return 1;
    }
    out << token << "\n";
    err << "This is the scrapers' token for /metrics (Authorization: Bearer TOKEN); only its hash is kept, in "
        << settings.Location() << ", so note it now. A new one replaces it.\n";
    return 0;
}

}  // namespace tc
