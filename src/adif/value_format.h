#pragma once

#include <string_view>

namespace vaziduvu {

// Earliest year a date field may hold.
constexpr int kEarliestYear = 1934;

// An ADIF date: exactly eight digits YYYYMMDD, the year from 1934 to
// latestYear, the month at most 12 and the day at most 29 in February, 31 in
// the long months and 30 otherwise. Month and day have no lower bound ("00"
// passes) and February 29 passes in every year. The caller trims first and
// decides what an empty text means.
bool isValidDateText(std::string_view text, int latestYear);

// An ADIF time: four or six digits HHMM[SS], hours at most 24, minutes and
// seconds at most 59. Nothing is trimmed.
bool isValidTimeText(std::string_view text);

}  // namespace vaziduvu
