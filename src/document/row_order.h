#pragma once

#include "adif/adif_mode.h"

#include <string>
#include <vector>

namespace vaziduvu {

class LogDocument;

// The order and choice of rows a view of the log shows: sorting and
// filtering work on lists of grid rows and never move a row of the
// document, so its order, its record numbers and every export stay as
// they are. Plain C++: the window's grid model maps its rows through them.

// How a column's values compare: a date, time or number column as such
// (times of four digits as whole minutes), any other as text.
enum class ColumnOrder { Text, Date, Time, Number };
// By the column's heading (ADIF 3.1.6 type, or the field catalogue's); the
// record-number column 0 as Number.
ColumnOrder columnOrderOf(const LogDocument &document, int column);

// The data rows (1..last) ordered by the column's values; equal values
// keep file order, in either direction. Values that are no date, time or
// number in such a column follow those that are, as text; empty ones come
// last.
std::vector<int> sortedRows(const LogDocument &document, int column, bool descending);

// The rows (kept in their order) with a cell that holds the text, letter
// case ignored as a search ignores it: in the column, or with column < 1
// in any data column. An empty text keeps every row.
std::vector<int> rowsMatching(const LogDocument &document, const std::vector<int> &rows,
                              const std::string &text, int column);

// Data rows 1..last in file order.
std::vector<int> allRows(const LogDocument &document);

// The rows of several sort keys, the first deciding: for Edit > Sort Log.
struct SortKey {
    int column = 0;
    bool descending = false;
};
std::vector<int> sortedRows(const LogDocument &document, const std::vector<SortKey> &keys);

}  // namespace vaziduvu
