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

// Outcome of a parse. The numbers are visible outside (the command-line
// tool's JSON) and never change.
enum class ParseStatus : uint8_t {
    NoHeader = 0,         // no header and no '<' at all
    BracketMismatch = 1,  // '<' and '>' do not pair up
    EmptyBrackets = 2,    // "<>"
    BadLength = 3,        // a length that is not a number
    MissingName = 5,      // a tag without a field name
    BadType = 8,          // a type letter outside the catalogue's
    TooBig = 10,          // over a size limit, or out of memory
    Ok = 12,
    ZeroByte = 13,   // a zero byte: not a text file
    Cancelled = 14,  // the caller stopped the load
};

// A parse result: the status, and for an error the byte offset into the
// file and the length of the text it concerns.
struct ParseResult {
    ParseStatus status = ParseStatus::Ok;
    int32_t position = 0;
    int32_t length = 0;

    explicit operator bool() const { return status == ParseStatus::Ok; }
};

// One tag of a log's data section with its parse results. The same record
// is the grid's per-cell record (value as loaded, comment, type, flags).
struct TagRecord {
    // The texts first and the flags last, so the record has no padding to
    // speak of: a large log holds one per filled cell.
    std::string name;     // upper case; empty for the two markers
    std::string value;    // the data as kept
    std::string rawTag;   // "<...>" as it stood in the file; empty: slot not filled
    std::string comment;  // data beyond the declared length
    int32_t declaredLength = 0;
    int32_t errorPosition = 0;  // 0-based byte offset into the file
    int32_t errorLength = 0;
    int32_t valueOffset = -1;  // byte offset of the value in the file; -1: not from a file
    uint8_t kind = TagNone;
    bool hasLength = false;
    bool hasType = false;
    uint8_t dataType = 5;
    bool isTimeOn = false;
    ParseStatus errorCode = ParseStatus::Ok;
};

}  // namespace vaziduvu
