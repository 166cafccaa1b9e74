#pragma once
#include <functional>
#include <string>

namespace tc {

// Posts `json` to `url` as "application/json" within `timeoutS` seconds,
// giving up early once `givingUp` says so: through libcurl on Linux, WinINet
// on Windows. Gives why the server did not take it, "" when it did or when
// the post was given up.
std::string postJson(const std::string& url, const std::string& json, long timeoutS,
                     const std::function<bool()>& givingUp);

}  // namespace tc
