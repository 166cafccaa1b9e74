#pragma once
#include <string>

namespace tc::identity {

inline constexpr const char* kProduct = "Tailchime";  // also the program's title
inline constexpr int kMajor = 2;
inline constexpr int kMinor = 0;
inline constexpr int kRevision = 1;

// "2.0.1": no leading zeros in any of the three numbers.
inline std::string versionText() {
    return std::to_string(kMajor) + "." + std::to_string(kMinor) + "." + std::to_string(kRevision);
}

// "Tailchime    CALL   v2.0.1": the caption of both windows.
inline std::string title(const std::string& callsign) {
    return std::string(kProduct) + "    " + callsign + "   v" + versionText();
}

}  // namespace tc::identity
