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

namespace {

// Each byte as a search compares it: itself when letter case must match,
// otherwise folded as foldCase folds it.
std::array<unsigned char, 256> comparedBytes(bool matchCase, TextEncoding encoding)
{
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        table[static_cast<size_t>(byte)] = static_cast<unsigned char>(
            matchCase ? c : (encoding == TextEncoding::Latin1 ? upperChar(c) : upperAscii(c)));
    }
    return table;
}

// True when the cell holds the wanted bytes (already as compared), each
// cell byte taken through the table: no copy of the cell is made.
bool holds(std::string_view cell, std::string_view wanted,
           const std::array<unsigned char, 256> &compared)
{
    if (cell.size() < wanted.size())
        return false;
    const auto first = static_cast<unsigned char>(wanted.front());
    const size_t last = cell.size() - wanted.size();
    for (size_t at = 0; at <= last; ++at) {
        if (compared[static_cast<unsigned char>(cell[at])] != first)
            continue;
        size_t i = 1;
        while (i < wanted.size()
               && compared[static_cast<unsigned char>(cell[at + i])]
                   == static_cast<unsigned char>(wanted[i]))
            ++i;
        if (i == wanted.size())
            return true;
    }
    return false;
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

    const TextEncoding encoding = document.textEncoding();
    const std::string wanted = matchCase ? trimText(text) : foldCase(trimText(text), encoding);
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

    const std::array<unsigned char, 256> compared = comparedBytes(matchCase, encoding);
    bool wrapped = false;
    for (;;) {
        const int startRow = position.row;
        bool restart = false;
        for (int r = startRow; r < rows && !restart; ++r) {
            for (int c = position.column; c < columns; ++c) {
                if (holds(trimmedView(document.text(c, r)), wanted, compared)) {
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
