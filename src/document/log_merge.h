#pragma once

#include "document/duplicates.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vaziduvu {

class LogDocument;

// How duplicates become one contact, for the window's Merge and Delete
// Duplicates and for `vaziduvu-cli merge`, so they keep the same values.

// QSL_RCVD, LOTW_QSL_RCVD, EQSL_QSL_RCVD and DCL_QSL_RCVD (name trimmed,
// letter case ignored): a received confirmation is never given up.
bool isReceivedConfirmationField(std::string_view field);

// Which of one field's values (earliest contact first) a merge keeps: the
// first non-empty one, except that in a received-confirmation field a Y
// wins over anything else. -1 when every value is empty.
int keptValueIndex(std::string_view field, const std::vector<std::string_view> &values);

// The cells of data row `row` (columns 1..last) holding more than blanks.
int filledCellCount(const LogDocument &document, int row);

// The contact Delete Duplicates keeps of a group of document rows (grid
// row = member + 1): the one with the most filled cells, the first of
// those on a tie. Returns the member's index into the keys.
int keeperOf(const LogDocument &document, const DuplicateGroup &group);

// A contact of one of the logs merged: the log's index and its grid row.
struct ContactRef {
    int source = 0;
    int row = 0;
};

// Two different non-empty values of a field among duplicates: the one kept
// and the one dropped, each with the contact and column it came from.
struct MergeConflict {
    std::string field;
    std::string kept;
    std::string dropped;
    ContactRef keptFrom;
    int keptColumn = 0;
    ContactRef droppedFrom;
    int droppedColumn = 0;
};

// One contact of the merged log: a contact written as it is (fields
// empty), or the union of a group of duplicates (fields in the order of
// first appearance over the logs; empty values left out).
struct MergedContact {
    ContactRef first;  // the earliest contact of the group, or the contact itself
    std::vector<std::pair<std::string, std::string>> fields;
    bool merged = false;
};

struct LogMerge {
    std::vector<MergedContact> contacts;  // in start-time order
    std::vector<MergeConflict> conflicts;
    int duplicatesMerged = 0;                        // contacts that became part of an earlier one
    std::vector<std::vector<std::string>> headings;  // [source][column]: trimmed, upper case
};

// Merges the logs (earlier logs first): duplicates within and across them
// (findDuplicateGroups) become one contact, unless keepDuplicates; the
// contacts are ordered by start time, stably, those without a readable
// QSO_DATE after the dated ones in their input order.
LogMerge mergeLogs(const std::vector<const LogDocument *> &sources, int windowMinutes,
                   bool keepDuplicates);

// Each non-empty field of a merged contact, with its trimmed, upper-case
// name, in order.
void forEachField(const std::vector<const LogDocument *> &sources, const LogMerge &merge,
                  const MergedContact &contact,
                  const std::function<void(std::string_view name, std::string_view value)> &use);

}  // namespace vaziduvu
