#pragma once

#include "adif/adif_mode.h"

#include <optional>
#include <string>
#include <string_view>

namespace vaziduvu {

class LogDocument;

// Where the next search starts; survives between searches and documents.
struct SearchPosition {
    int row = 1;
    int column = 0;
};

// The text with letter case folded (upper case) as a search without match
// case compares it: the Latin-1 letters of a Latin-1 text, the ASCII letters
// of a UTF-8 one. Never changes the length.
std::string foldCase(std::string_view text, TextEncoding encoding);
// The same into a buffer the caller keeps (no allocation once it is large
// enough).
void foldCaseInto(std::string_view text, TextEncoding encoding, std::string &folded);

struct SearchHit {
    bool found = false;
    int column = 0;
    int row = 0;
};

// Find first (findNext false) or find next over the grid texts, row by row,
// left to right, row 0 never searched; wraps once for find next. The text is
// in the document's encoding; without matchCase a UTF-8 document folds ASCII
// letters only.
SearchHit searchGrid(const LogDocument &document, const std::string &text, bool findNext,
                     bool matchCase, SearchPosition &position);

// A replacement in a column: the text to find (trimmed, as a search takes
// it), what takes its place, and whether letter case must match and the
// whole (trimmed) value must be the text rather than hold it.
struct ReplaceRule {
    std::string find;
    std::string replacement;
    bool matchCase = false;
    bool wholeValue = false;
    TextEncoding encoding = TextEncoding::Latin1;
};

// The cell's text with the rule applied (every occurrence, for a part), or
// nullopt when the rule does not match it.
std::optional<std::string> replacedText(std::string_view cell, const ReplaceRule &rule);

}  // namespace vaziduvu
