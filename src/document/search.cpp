#include "document/search.h"

#include "adif/text.h"
#include "document/log_document.h"

#include <array>
#include <string_view>

namespace vaziduvu {

void foldCaseInto(std::string_view text, TextEncoding encoding, std::string &folded)
{
    folded.assign(text.data(), text.size());
    if (encoding == TextEncoding::Latin1) {
        static const std::array<char, 256> upper = [] {
            std::array<char, 256> table{};
            for (int byte = 0; byte < 256; ++byte)
                table[static_cast<size_t>(byte)] = upperChar(static_cast<char>(byte));
            return table;
        }();
        for (char &c : folded)
            c = upper[static_cast<unsigned char>(c)];
        return;
    }
    // Upper-casing the Latin-1 range would change the lead bytes of
    // multi-byte characters: only ASCII letters are folded.
    for (char &c : folded)
        c = upperAscii(c);
}

std::string foldCase(std::string_view text, TextEncoding encoding)
{
    std::string folded;
    foldCaseInto(text, encoding, folded);
    return folded;
}

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

    const TextEncoding encoding = document.textEncoding();
    auto upper = [encoding](std::string_view bytes) { return foldCase(bytes, encoding); };
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
                    // One buffer for every cell: a whole logbook is searched
                    // without an allocation per cell.
                    foldCaseInto(cell, encoding, cellUpper);
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

namespace vaziduvu {

std::optional<std::string> replacedText(std::string_view cell, const ReplaceRule &rule)
{
    const std::string find = trimText(rule.find);
    if (find.empty())
        return std::nullopt;
    const std::string wanted = rule.matchCase ? find : foldCase(find, rule.encoding);
    if (rule.wholeValue) {
        const std::string value = trimText(cell);
        if ((rule.matchCase ? value : foldCase(value, rule.encoding)) != wanted)
            return std::nullopt;
        return rule.replacement;
    }
    const std::string folded = rule.matchCase ? std::string(cell) : foldCase(cell, rule.encoding);
    size_t at = folded.find(wanted);
    if (at == std::string::npos)
        return std::nullopt;
    std::string result;
    size_t from = 0;
    while (at != std::string::npos) {
        result.append(cell.substr(from, at - from));
        result += rule.replacement;
        from = at + wanted.size();
        at = folded.find(wanted, from);
    }
    result.append(cell.substr(from));
    return result;
}

}  // namespace vaziduvu
