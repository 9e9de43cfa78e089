#pragma once

#include <optional>
#include <string>

namespace vaziduvu {

class LogDocument;

// Where the next search starts; survives between searches and documents.
struct SearchPosition {
    int row = 1;
    int column = 0;
};

struct SearchHit {
    bool found = false;
    int column = 0;
    int row = 0;
};

// Find first (findNext false) or find next over the grid texts, row by row,
// left to right, row 0 never searched; wraps once for find next.
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
};

// The cell's text with the rule applied (every occurrence, for a part), or
// nullopt when the rule does not match it.
std::optional<std::string> replacedText(const std::string &cell, const ReplaceRule &rule);

}  // namespace vaziduvu
