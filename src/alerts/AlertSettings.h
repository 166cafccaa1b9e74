#pragma once
#include <string>

namespace tc {

class Profile;

// Section [ALERTS] of tailchime.ini:
//   KERCHUNKS_PER_HOUR  more kerchunks than this in an hour is an alert
//                       (default 30; 0 for none)
//   WEBHOOK             each alert is posted to this URL as JSON (ntfy,
//                       Gotify, a Home Assistant webhook); none by default
struct AlertSettings {
    static constexpr const char* kSection = "ALERTS";
    int kerchunksPerHour = 30;
    std::string webhook;

    static AlertSettings read(Profile& profile);
};

}  // namespace tc
