#pragma once

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
// left to right, row 0 never searched; wraps once for find next. The text is
// in the document's encoding; without matchCase a UTF-8 document folds ASCII
// letters only.
SearchHit searchGrid(const LogDocument &document, const std::string &text, bool findNext,
                     bool matchCase, SearchPosition &position);

}  // namespace vaziduvu
