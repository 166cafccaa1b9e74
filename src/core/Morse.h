#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace tc::morse {

// One stretch of keying: the transmitter keyed (a dot or dash) or not (a
// gap), lasting a number of dot units.
struct Element {
    bool keyed;
    int units;
};

// The dots and dashes of a character (".-" for A), or nullptr when Morse
// has no sign for it. Letters in either case.
const char* code(char c);

// The keying of a text: dots one unit, dashes three, one unit between the
// elements of a character, three between characters, seven between words.
// A character without a sign is skipped and leaves a word's gap. No gap
// before the first or after the last element.
std::vector<Element> elements(std::string_view text);

// The length of one dot at a speed in words per minute (PARIS: 60 ms at 20).
inline int dotMs(int wpm) { return 1200 / wpm; }

// How long the text keeps the transmitter keyed, start to end, in ms.
std::int64_t durationMs(std::string_view text, int wpm);

}  // namespace tc::morse
