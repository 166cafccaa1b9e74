#pragma once

// The maker's contact details, shown in the about window and used by its
// two buttons. Example domains only: nobody's real address.
namespace tc::maker {
inline constexpr const char* kCallsign = "N0TCM";
inline constexpr const char* kName = "Tailchime Team";
inline constexpr const char* kAddress = "1 Example Way, Anytown";
inline constexpr const char* kWebSite = "tailchime.example.org";
inline constexpr const char* kEmail = "ident@tailchime.example.org";
inline constexpr const char* kEmailSubject = "?subject= Tailchime Program ";
}  // namespace tc::maker
