#pragma once

#include "adif/adif_mode.h"

#include <string>
#include <string_view>

namespace vaziduvu {

// Text is single-byte throughout the program: every byte of a log file is
// kept as it is, and the helpers here are the only trimming, upper-casing
// and digit tests used anywhere, so the reader, the grid, the checks and the
// writers all agree on what "trimmed", "upper case" and "a number" mean.

// A byte that trimming removes: code below 33 (blanks, tabs, line breaks and
// other control characters).
inline bool isTrimmedByte(char c)
{
    return static_cast<unsigned char>(c) < 33;
}

// Removes every leading and trailing byte whose code is below 33.
std::string_view trimmedView(std::string_view text);
std::string trimText(std::string_view text);

// Upper-cases ASCII letters and the Latin-1 letters U+00E0..U+00FE
// (except U+00F7, the division sign); every other byte is kept.
std::string upperText(std::string_view text);
// The same for text of the given encoding: in UTF-8 only ASCII letters
// change, so the bytes of other characters stay whole.
std::string upperText(std::string_view text, TextEncoding encoding);
char upperChar(char c);

// Upper-cases ASCII letters only, for values that must keep every other byte
// (UTF-8 text, ADIF enumerations).
inline char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string upperAsciiText(std::string_view text);

inline bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Every byte a digit 0-9 (true for an empty text).
bool isDigits(std::string_view text);
// A non-empty text of digits 0-9 only.
inline bool isDigitRun(std::string_view text)
{
    return !text.empty() && isDigits(text);
}
// Every byte a digit or '.' (true for an empty text).
bool isDigitsOrDots(std::string_view text);
// The value of a short run of digits the caller has checked.
int digitsValue(std::string_view digits);

}  // namespace vaziduvu
