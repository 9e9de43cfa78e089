#pragma once

#include "adif/tag_record.h"

#include <string>
#include <string_view>

namespace vaziduvu {

// What the add-column dialog collected, before any check.
struct ColumnRequest {
    bool userDefined = false;  // false: a catalogue column, true: a user-defined one
    std::string name;          // the name box's text as it stands
    int userType = -1;         // index into kUserDataTypeNames; -1 when none was chosen
    std::string initialValue;  // the initial-value box as typed
};

// The template record every row of a new column copies, and the message of
// the first check that refused the request.
struct ColumnTemplate {
    TagRecord record;
    std::string refusal;  // empty when every check passed
    bool accepted() const { return refusal.empty(); }
};

constexpr int kUserDataTypeCount = 5;
// The data types a user-defined column may have, in the order offered.
extern const char *const kUserDataTypeNames[kUserDataTypeCount];

extern const char *const kNumericInitialValueMessage;
extern const char *const kTimeInitialValueMessage;
extern const char *const kDateInitialValueMessage;
extern const char *const kUserNameMissingMessage;
extern const char *const kUserTypeMissingMessage;
extern const char *const kUnknownCatalogueNameMessage;

// Builds the template of a new column and runs the dialog's checks in order:
// number, time, date, catalogue name, user name, user type. Dates may run up
// to latestYear. The name is upper-cased and trimmed; the value is trimmed.
// A catalogue column whose name no catalogue entry begins (the empty name
// too) is refused: its cells would have no valid type, and the writers
// refuse to export a column without one, so the whole log could never be
// saved again.
ColumnTemplate buildColumnTemplate(const ColumnRequest &request, int latestYear);

// The dialog's own time-name test: the name, over its own length, is the
// start of "TIME_ON" or "TIME_OFF" (so "TIME" and the empty name are time
// names). It asks the opposite way round from isTimeFieldName.
bool isDialogTimeName(std::string_view name);

// Initial-value checks. The number and time checks look at the text as
// typed (a blank fails); the date check trims first. Each lets the empty
// text pass.
bool isNumericInitialValue(std::string_view text);
bool isTimeInitialValue(std::string_view text);
bool isDateInitialValue(std::string_view text, int latestYear);

}  // namespace vaziduvu
