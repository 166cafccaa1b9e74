#pragma once

// The maker's contact details, shown in the about window and used by its
// two buttons. Example domains only: nobody's real address; and a call sign
// of a form no licensing office issues (one letter, a digit, four letters),
// so that it can never name a real amateur.
namespace tc::maker {
inline constexpr const char* kCallsign = "N0TAIL";
inline constexpr const char* kName = "Tailchime Team";
inline constexpr const char* kAddress = "1 Example Way, Anytown";
inline constexpr const char* kWebSite = "tailchime.example.org";
inline constexpr const char* kEmail = "ident@tailchime.example.org";
inline constexpr const char* kEmailSubject = "?subject= Tailchime Program ";
}  // namespace tc::maker
