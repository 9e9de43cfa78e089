#pragma once

#include "formats/contact_log.h"

#include <string>
#include <string_view>

namespace vaziduvu {

class LogDocument;

// Contacts in ADX, the XML form of ADIF 3.1.6:
//   <ADX><HEADER>...</HEADER><RECORDS><RECORD><CALL>...</CALL>...</RECORD>...
// A field ADIF 3.1.6 defines for records is an element of its (upper-case)
// name; APP_PROGRAM_NAME is <APP PROGRAMID="PROGRAM" FIELDNAME="NAME"
// TYPE="...">; every other field (a user-defined one, and a header-only
// field some programs repeat in records, such as PROGRAMID) is declared in
// the header as <USERDEF FIELDID="n" TYPE="...">NAME</USERDEF> and used as
// <USERDEF FIELDNAME="NAME">. Reading turns each back into its ADIF field,
// so ADIF -> ADX -> ADIF keeps every record, field name and value.
ContactLog readAdx(std::string_view bytes, const ReadOptions &options);

// The document as ADX in UTF-8 (a Latin-1 document's text converted).
// Values that XML 1.0 cannot carry (control characters other than tab and
// line breaks) are never written: the caller checks with adxProblem first.
std::string writeAdx(const LogDocument &document);

// The first value of the document ADX cannot carry, as "row R, FIELD: why";
// empty when every value can be written.
std::string adxProblem(const LogDocument &document);

}  // namespace vaziduvu
