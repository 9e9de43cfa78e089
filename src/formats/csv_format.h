#pragma once

#include "formats/contact_log.h"

#include <string>
#include <string_view>

namespace vaziduvu {

class LogDocument;

// Contacts as comma-separated values (RFC 4180): a header row of field
// names, one row per contact. Fields may be quoted ("" is a quote inside a
// quoted field) and may then hold commas and line breaks; lines end in CRLF
// or LF. Header names are taken in any letter case (and trimmed); an empty
// cell is an absent field. A row with more cells than the header, a quote
// inside an unquoted field or a quoted field left open is a problem of its
// line.
ContactLog readCsv(std::string_view bytes, const ReadOptions &options);

// The document as CSV in UTF-8: the header row of upper-case field names,
// the union of every contact's fields in first-seen order, one row per
// contact with empty cells for absent fields, CRLF after every row. A cell
// is quoted when it holds a comma, a quote, a line break or leading or
// trailing blanks.
std::string writeCsv(const LogDocument &document);

}  // namespace vaziduvu
