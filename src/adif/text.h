#pragma once

#include "adif/adif_mode.h"

#include <string>
#include <string_view>

namespace vaziduvu {

// Text is single-byte throughout the program: every byte of a log file is
// kept as it is, and these two helpers are the only trimming and
// upper-casing used anywhere, so the reader, the grid, the checks and the
// writers all agree on what "trimmed" and "upper case" mean.

// Removes every leading and trailing byte whose code is below 33 (blanks,
// tabs, line breaks and other control characters).
std::string trimText(std::string_view text);

// Upper-cases ASCII letters and the Latin-1 letters U+00E0..U+00FE
// (except U+00F7, the division sign); every other byte is kept.
std::string upperText(std::string_view text);
// The same for text of the given encoding: in UTF-8 only ASCII letters
// change, so the bytes of other characters stay whole.
std::string upperText(std::string_view text, TextEncoding encoding);
char upperChar(char c);

}  // namespace vaziduvu
