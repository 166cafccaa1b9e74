#pragma once
#include <functional>
#include <string>

namespace tc {

// Posts the usage report with the identity fields' texts; gives back the
// form data it posted, whatever the server did.
using ReportSender =
    std::function<std::string(const std::string& callsign, const std::string& prog, const std::string& ver)>;

}  // namespace tc
