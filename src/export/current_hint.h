#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;

// A log written by a program of today, opened in the Classic mode, fails
// the Classic checks on values that are right by ADIF 3.1.6 (FT8, a
// Canadian STATE, 630M). These say so, so the user can switch to the
// Current ADIF mode rather than "mend" right values.

// The distinct values (trimmed, in capitals, in grid order, at most
// `limit`) of the enumerated columns (MODE, BAND, BAND_RX, STATE, CONT,
// PROP_MODE) that the Classic lists refuse and the ADIF 3.1.6 lists accept.
// Empty for a document in the Current mode.
std::vector<std::string> currentOnlyValues(const LogDocument &document, size_t limit = 3);

// "This log uses ADIF 3.1.6 values (FT8, ON, ...). " followed by `remedy`
// (which says how to check it by today's lists); empty when the log holds
// no such value.
std::string currentAdifHint(const LogDocument &document, std::string_view remedy);

// The same over a log read in batches: each batch's document adds its values
// (up to the number the hint names), and the hint is made of them at the end.
void addCurrentOnlyValues(const LogDocument &document, std::vector<std::string> &values);
std::string currentAdifHint(const std::vector<std::string> &values, std::string_view remedy);

// The remedies of the window and of the command-line tool.
inline constexpr std::string_view kCurrentAdifMenuRemedy
    = "Format > Current ADIF (3.1.6) checks it against today's lists.";
inline constexpr std::string_view kCurrentAdifOptionRemedy
    = "vaziduvu-cli --current-adif checks it against today's lists.";

}  // namespace vaziduvu
