#pragma once

#include "adif/adif_mode.h"
#include "document/open_log.h"

#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;

// One field of a contact as another form of log holds it: the ADIF name
// (upper case), the value as log text, and the ADIF type letter when the
// source gave one (0 when not).
struct ContactField {
    std::string name;
    std::string value;
    char type = 0;
};

struct Contact {
    std::vector<ContactField> fields;
    int line = 0;  // where it starts in its file (1-based); 0 when not from a file

    // The value of the field, empty when the contact has none.
    std::string_view value(std::string_view name) const;
};

// A line of a file, and what is to be said of it.
struct LineMessage {
    int line = 0;
    std::string text;
};

// What a reader of a non-ADIF form made of a file: the contacts in file
// order, every line it could not read (with the reason: a log with any of
// them is never written elsewhere), notes about lines it read with a
// loss of meaning, and for a Cabrillo log the contest and the template
// whose exchange columns were used.
struct ContactLog {
    std::vector<Contact> contacts;
    std::vector<LineMessage> problems;
    std::vector<LineMessage> notes;
    std::string contest;
    std::string templateName;
};

// How a reader treats text: in the Classic mode a log is Latin-1, so a
// UTF-8 file's characters are turned into Latin-1 bytes (a character beyond
// Latin-1 is a problem of its line); in the Current mode UTF-8 bytes are
// kept as they are. A file that is not valid UTF-8 is taken byte for byte.
struct ReadOptions {
    AdifMode mode = AdifMode::Classic;
    std::string templateName;  // Cabrillo: the template to use instead of the contest's
};

// The log text of a value read from a UTF-8 file (see ReadOptions); false
// when it cannot be held (a character beyond Latin-1 in the Classic mode).
bool logTextOfUtf8(std::string_view value, bool fileIsUtf8, AdifMode mode, std::string &out);

// The UTF-8 text of a document's value for a UTF-8 file.
std::string utf8OfLogText(std::string_view value, const LogDocument &document);

// Adds a problem for every field the ADIF text of the mode could not carry
// (a name that is empty, EOR or EOH, or holds '<', '>', ':' or ','; a value with '<' or
// '>' in the Classic mode; a zero byte), at its contact's line.
void checkCarriable(ContactLog &log, AdifMode mode);

// The ADIF text of the contacts, as a file the reader takes back unchanged:
// a header naming where it came from, each field with its byte length (and
// its type letter when the reader knows it), <EOR> after each contact.
std::string adifTextOf(const ContactLog &log, std::string_view origin);

// Opens the contacts as a log through the one way a log is opened, so the
// document is the same as the one a load of their ADIF text gives.
OpenedLog openContactLog(const ContactLog &log, AdifMode mode, std::string_view origin,
                         const OpenSteps &steps = {});

// The contacts of a document, walking its grid: one per data row, a field
// for every non-empty cell under its column's (upper-case, trimmed) name,
// the cell's type letter when it has one.
ContactLog contactLogOf(const LogDocument &document);

// The field names of the contacts, each once, in order of first appearance.
std::vector<std::string> fieldNamesOf(const ContactLog &log);

}  // namespace vaziduvu
