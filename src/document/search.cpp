#include "document/search.h"

#include "adif/text.h"
#include "document/log_document.h"

#include <string_view>

namespace vaziduvu {

namespace {

std::string_view trimmedView(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) < 33)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) < 33)
        --end;
    return text.substr(begin, end - begin);
}

}  // namespace

SearchHit searchGrid(const LogDocument &document, const std::string &text, bool findNext,
                     bool matchCase, SearchPosition &position)
{
    SearchHit hit;
    const int columns = document.columnCount();
    const int rows = document.rowCount();

    if (findNext) {
        // Kept from overflowing; any column at or past the last one behaves
        // the same below.
        position.column = position.column >= columns ? columns : position.column + 1;
    } else {
        position.row = 1;
        position.column = 0;
    }

    // In a UTF-8 document only ASCII letters are folded: upper-casing the
    // Latin-1 range would change the lead bytes of multi-byte characters.
    const bool utf8 = document.textEncoding() == TextEncoding::Utf8;
    auto upper = [utf8](std::string_view bytes) {
        if (!utf8)
            return upperText(bytes);
        std::string folded(bytes);
        for (char &c : folded) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        }
        return folded;
    };
    const std::string wanted = matchCase ? trimText(text) : upper(trimText(text));
    if (wanted.empty())
        return hit;

    // A position handed in from outside never makes the header row or a
    // negative column searchable.
    if (position.row < 1)
        position.row = 1;
    if (position.column < 0)
        position.column = 0;

    if (position.column >= columns) {
        position.column = 0;
        position.row += 1;
        if (position.row > rows - 1)
            position.row = 1;
    }

    std::string cellUpper;
    bool wrapped = false;
    for (;;) {
        const int startRow = position.row;
        bool restart = false;
        for (int r = startRow; r < rows && !restart; ++r) {
            for (int c = position.column; c < columns; ++c) {
                std::string_view cell = trimmedView(document.text(c, r));
                if (!matchCase) {
                    cellUpper = upper(cell);
                    cell = cellUpper;
                }
                if (cell.find(wanted) != std::string_view::npos) {
                    position.row = r;
                    position.column = c;
                    hit.found = true;
                    hit.column = c;
                    hit.row = r;
                    return hit;
                }
                if (findNext && c == columns - 1 && r == rows - 1) {
                    if (wrapped)
                        return hit;
                    // Once past the last cell, find next goes round from the
                    // first data row one more time.
                    wrapped = true;
                    position.row = 1;
                    position.column = 0;
                    restart = true;
                    break;
                }
            }
            if (restart)
                break;
            position.column = 0;
            if (r == rows - 1)
                position.row = 1;
        }
        if (!restart)
            return hit;
    }
}

}  // namespace vaziduvu
