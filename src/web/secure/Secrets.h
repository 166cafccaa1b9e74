#pragma once
#include <optional>
#include <string>

#include "web/Sessions.h"

namespace tc::secrets {

// libsodium, ready for use (false where it cannot start).
bool ready();

// The password's Argon2id hash with its salt and costs, as one text
// ("$argon2id$v=19$m=65536,t=2,p=1$..."); nothing when hashing fails (no
// memory). Slow on purpose (about 64 MiB and a tenth of a second): never
// on the station's thread.
std::optional<std::string> hashPassword(const std::string& password);
bool passwordMatches(const std::string& hash, const std::string& password);

// The sessions' tokens: 256 random bits as 64 hex digits, compared in
// constant time.
Sessions::Secrets sessionSecrets();

// A scraper's bearer token (256 random bits, hex) and the hash it is kept
// as (BLAKE2b, hex: the token is random, so a fast hash will do), compared
// in constant time.
std::string newToken();
std::string tokenHash(const std::string& token);
bool tokenMatches(const std::string& hash, const std::string& token);

}  // namespace tc::secrets
