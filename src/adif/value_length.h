#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vaziduvu {

// How the reader finds where a value ends from its declared length. Pure
// functions on the text being read; the reader is their one user, and they
// stand apart so the rules can be read (and tested through the reader)
// without the rest of the parse.

// A non-empty run of decimal digits whose value fits a signed 32-bit integer.
bool parseLength(std::string_view text, int32_t &length);

// The declared length of a tag text "<NAME:length...>", -1 when it has none
// that the reader would accept.
int32_t declaredLengthOf(std::string_view tag);

// Current mode: where the value of a tag with a declared length ends, the
// value starting at `from`; npos when the length does not delimit it and the
// value runs to the next '<' as in the Classic mode.
//
// The declared bytes are the value when they leave no '>' before the next
// tag, so a '<' or '>' inside them is data. In a UTF-8 text whose declared
// bytes end inside a character or leave more than blanks before the next
// tag, the length is taken as a count of characters when that count ends
// where only blanks are left before the next tag (some programs count
// characters); such a value is longer in bytes than declared and shows as a
// length discrepancy. Before either, a length that runs into the next tag is
// read with each lone LF of the value counted as CR LF when that count ends
// the value where only blanks are left before that tag (the log went through
// a line-ending conversion); such a value is shorter than declared, and
// *lineEndsCounted (when given) is set. A length that fits no reading falls
// back to the Classic rule, so a wrong length never hides the tags after it.
size_t delimitedValueEnd(std::string_view text, size_t from, int32_t declared, bool utf8,
                         bool *lineEndsCounted = nullptr);

}  // namespace vaziduvu
