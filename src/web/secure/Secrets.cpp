#include "web/secure/Secrets.h"

#include <sodium.h>

namespace tc::secrets {

bool ready() {
    static const bool ok = sodium_init() >= 0;
    return ok;
}

std::optional<std::string> hashPassword(const std::string& password) {
    if (!ready()) return std::nullopt;
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return std::nullopt;
    return std::string(hash);
}

bool passwordMatches(const std::string& hash, const std::string& password) {
    if (!ready() || hash.empty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

namespace {

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

std::string newToken() {
    ready();
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    char hex[sizeof bytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    sodium_memzero(bytes, sizeof bytes);
    return hex;
}

Sessions::Secrets sessionSecrets() { return {newToken, sameText}; }

std::string tokenHash(const std::string& token) {
    ready();
    unsigned char hash[crypto_generichash_BYTES];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(token.data()), token.size(), nullptr,
                       0);
    char hex[sizeof hash * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
    return hex;
}

bool tokenMatches(const std::string& hash, const std::string& token) {
    return !hash.empty() && !token.empty() && sameText(hash, tokenHash(token));
}

}  // namespace tc::secrets
