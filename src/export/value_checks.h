#pragma once

#include "adif/tag_record.h"

#include <optional>
#include <string_view>

namespace vaziduvu {

class LogDocument;

// The checks run on every data cell before an export is written. Each one
// looks at one grid cell (column and row counted from 0; row 0 holds the
// headings) and at the cell's record, and returns true when the cell may be
// exported. A check never shows anything: the writer reports a false result
// with the check's message. An unexpected error inside a check is a false
// result.
//
// Some checks tidy the grid as they go, and those edits stay whether or not
// the export succeeds: checkDate trims every cell it is called on, whatever
// its type; the enumerated checks upper-case accepted values and normalise
// the column heading.

// Dates (records of type D): eight digits YYYYMMDD from 1934 to latestYear.
// An empty cell passes.
bool checkDate(LogDocument &document, const TagRecord &record, int row, int column, int latestYear);

// Times (records whose time flag is set): HHMM or HHMMSS, untrimmed. An empty
// cell passes.
bool checkTime(const LogDocument &document, const TagRecord &record, int row, int column);

// Numbers (records of type N): digits and points only, untrimmed. An empty
// cell passes.
bool checkNumber(const LogDocument &document, const TagRecord &record, int row, int column);

// The nine enumerated checks, in the order the writers run them.
enum class EnumeratedCheck {
    Band,             // BAND, BAND_RX
    Mode,             // MODE
    Continent,        // CONT
    PropagationMode,  // PROP_MODE
    Province,         // VE_PROV
    State,            // STATE
    ArrlSection,      // ARRL_SECT
    QslFlag,          // QSL_RCVD, QSL_SENT
    Satellite,        // SAT_NAME
};
constexpr EnumeratedCheck kEnumeratedChecks[] = {
    EnumeratedCheck::Band,        EnumeratedCheck::Mode,
    EnumeratedCheck::Continent,   EnumeratedCheck::PropagationMode,
    EnumeratedCheck::Province,    EnumeratedCheck::State,
    EnumeratedCheck::ArrlSection, EnumeratedCheck::QslFlag,
    EnumeratedCheck::Satellite,
};

// A non-empty cell in a column headed by one of the check's field names must
// hold (upper-cased and trimmed) a value of the check's table; an accepted
// value is stored back in that form. Columns headed by other names pass.
bool checkEnumerated(EnumeratedCheck check, LogDocument &document, const TagRecord &record, int row,
                     int column);

// The enumerated check whose field names include the (normalised) column
// heading; nullopt when none does. Every other check passes that column.
std::optional<EnumeratedCheck> enumeratedCheckFor(std::string_view heading);

// Messages the writers show (header "Problem:") when a check fails.
extern const char *const kDateCheckMessage;
extern const char *const kTimeCheckMessage;
extern const char *const kNumberCheckMessage;
// The ADIF writer words the QSL flag and satellite messages differently from
// the XML and HTML writers.
const char *enumeratedCheckMessage(EnumeratedCheck check, bool adifWriter);

}  // namespace vaziduvu
