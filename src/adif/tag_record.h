#pragma once

#include <cstdint>
#include <string>

namespace vaziduvu {

// What a tag is.
enum TagKind : uint8_t {
    TagKnownField = 0,   // name found in the field catalogue
    TagUserField = 3,    // name not in the catalogue
    TagNone = 4,         // empty slot, or a tag that failed to parse
    TagEndOfRecord = 6,  // <EOR>
    TagEndOfFile = 7,    // <APP_LOTW_EOF>
};

// Outcome of a parse; 12 means no error.
enum ParseOutcome : uint8_t {
    ParseNoHeader = 0,
    ParseBracketMismatch = 1,
    ParseEmptyBrackets = 2,
    ParseBadLength = 3,
    ParseMissingName = 5,
    ParseBadType = 8,
    ParseTooBig = 10,
    ParseOk = 12,
};

// One tag of a log's data section with its parse results. The same record
// is the grid's per-cell record (value as loaded, comment, type, flags).
struct TagRecord {
    uint8_t kind = TagNone;
    bool hasLength = false;
    int32_t declaredLength = 0;
    bool hasType = false;
    uint8_t dataType = 5;
    bool isTimeOn = false;
    std::string name;     // upper case; empty for the two markers
    std::string value;    // the data as kept
    uint8_t errorCode = ParseOk;
    int32_t errorPosition = 0;  // 0-based byte offset into the file
    int32_t errorLength = 0;
    std::string rawTag;   // "<...>" as it stood in the file; empty: slot not filled
    std::string comment;  // data beyond the declared length
};

}  // namespace vaziduvu
