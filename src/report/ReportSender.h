#pragma once
#include <functional>
#include <string>

namespace tc {

// Posts the usage report with the identity fields' texts.
using ReportSender =
    std::function<void(const std::string& callsign, const std::string& prog, const std::string& ver)>;

}  // namespace tc
