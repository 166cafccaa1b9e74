#pragma once
#include <string>
#include <string_view>

namespace tc {

// A double as the panel writes it: general decimal form, at most 15
// significant digits, no trailing zeros, "0" for zero ("3", "2.5").
// Equal values always give equal texts, which the supervisor relies on.
std::string numberText(double value);

// A single-precision window position as stored in the settings file: the
// fewest digits that read back as the same number (seven at most wherever
// seven suffice), no fraction when whole ("300"), never an exponent.
std::string singleText(float value);

// The text read as a decimal number (blanks around it, optional sign,
// optional fraction) and rounded to the nearest whole number, a half to
// the even neighbour. Throws a type-mismatch RuntimeError when the text
// is not a number.
long long wholeNumber(std::string_view text);

// A number rounded to the nearest whole number, a half to the even
// neighbour. Throws an overflow RuntimeError for what no integer holds.
long long roundedWhole(double value);

// The text read as a decimal number, unrounded. Throws like wholeNumber.
double numberValue(std::string_view text);

// "True"/"False" in any letter case, or a number (true when not zero).
// Throws a type-mismatch RuntimeError otherwise.
bool booleanValue(std::string_view text);

// Seconds as the "hh:mm:ss" text of the clocks. Below one second (and for
// anything that is not a number) "00:00:00"; from 25 hours on "24:59:59";
// between 24 and 25 hours the hour field reads 24. Never fails.
std::string FormatTime(double seconds);

}  // namespace tc
