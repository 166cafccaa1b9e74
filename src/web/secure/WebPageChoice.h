#pragma once
#include <optional>
#include <string>

namespace tc {

class Profile;
struct WebSettings;

// What the sysop chooses for the web page in the Windows program's "Web
// page..." dialog, as typed.
struct WebPageChoice {
    std::string address;          // blank: this machine only (127.0.0.1)
    std::string port;             // blank: no page
    std::string password, again;  // both blank: the password stays as it is
};

// The problem to show with a choice as typed; nothing when it can be stored.
std::optional<std::string> problemWith(const WebPageChoice& choice);

// Stores a choice without problems in [WEB] of the settings file: the
// password, when one was typed, as `passwordHash` only (secrets::
// hashPassword's, made off the station's thread). Gives the problem when
// it could not be written.
std::optional<std::string> storeWebPageChoice(Profile& settings, const WebPageChoice& choice,
                                              const std::string& passwordHash);

// Where the page is, for the sysop: "http://127.0.0.1:8080/"; "" when no
// page is served.
std::string pageAddress(const WebSettings& settings);

}  // namespace tc
