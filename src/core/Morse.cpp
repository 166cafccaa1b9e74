#include "core/Morse.h"

#include <utility>

namespace tc::morse {

namespace {

constexpr std::pair<char, const char*> kCodes[] = {
    {'A', ".-"},      {'B', "-..."},    {'C', "-.-."},    {'D', "-.."},     {'E', "."},       {'F', "..-."},
    {'G', "--."},     {'H', "...."},    {'I', ".."},      {'J', ".---"},    {'K', "-.-"},     {'L', ".-.."},
    {'M', "--"},      {'N', "-."},      {'O', "---"},     {'P', ".--."},    {'Q', "--.-"},    {'R', ".-."},
    {'S', "..."},     {'T', "-"},       {'U', "..-"},     {'V', "...-"},    {'W', ".--"},     {'X', "-..-"},
    {'Y', "-.--"},    {'Z', "--.."},    {'0', "-----"},   {'1', ".----"},   {'2', "..---"},   {'3', "...--"},
    {'4', "....-"},   {'5', "....."},   {'6', "-...."},   {'7', "--..."},   {'8', "---.."},   {'9', "----."},
    {'.', ".-.-.-"},  {',', "--..--"},  {'?', "..--.."},  {'\'', ".----."}, {'!', "-.-.--"},  {'/', "-..-."},
    {'(', "-.--."},   {')', "-.--.-"},  {'&', ".-..."},   {':', "---..."},  {';', "-.-.-."},  {'=', "-...-"},
    {'+', ".-.-."},   {'-', "-....-"},  {'_', "..--.-"},  {'"', ".-..-."},  {'$', "...-..-"}, {'@', ".--.-."},
};

}  // namespace

const char* code(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const auto& [ch, signs] : kCodes)
        if (ch == c) return signs;
    return nullptr;
}

std::vector<Element> elements(std::string_view text) {
    std::vector<Element> out;
    bool wordGap = false;
    for (char c : text) {
        const char* signs = code(c);
        if (!signs) {
            wordGap = true;  // a blank, or a character Morse has no sign for
            continue;
        }
        if (!out.empty()) out.push_back({false, wordGap ? 7 : 3});
        wordGap = false;
        for (const char* s = signs; *s; ++s) {
            if (s != signs) out.push_back({false, 1});
            out.push_back({true, *s == '-' ? 3 : 1});
        }
    }
    return out;
}

std::int64_t durationMs(std::string_view text, int wpm) {
    std::int64_t units = 0;
    for (const Element& e : elements(text)) units += e.units;
    return units * dotMs(wpm);
}

}  // namespace tc::morse
