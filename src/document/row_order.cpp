#include "document/row_order.h"

#include "adif/current_vocabulary.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/log_document.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string_view>

namespace vaziduvu {

namespace {

std::string_view trimmedView(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 33)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 33)
        text.remove_suffix(1);
    return text;
}

bool digitsOnly(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One cell as a sort compares it: its class first (a value of the column's
// kind, other text, empty), then the number or the text.
struct SortValue {
    int kind = 2;
    double number = 0;
    std::string_view text;
    char time[6] = {};
};

SortValue sortValueOf(std::string_view cell, ColumnOrder order)
{
    SortValue value;
    value.text = trimmedView(cell);
    if (value.text.empty())
        return value;
    value.kind = 1;
    switch (order) {
    case ColumnOrder::Text:
        break;
    case ColumnOrder::Date:
        if (value.text.size() == 8 && digitsOnly(value.text))
            value.kind = 0;
        break;
    case ColumnOrder::Time:
        if ((value.text.size() == 4 || value.text.size() == 6) && digitsOnly(value.text)) {
            value.kind = 0;
            std::fill(std::begin(value.time), std::end(value.time), '0');
            std::copy(value.text.begin(), value.text.end(), value.time);
        }
        break;
    case ColumnOrder::Number: {
        const char *end = value.text.data() + value.text.size();
        const char *begin = value.text.data() + (value.text.front() == '+' ? 1 : 0);
        const auto [stop, error] = std::from_chars(begin, end, value.number);
        if (error == std::errc() && stop == end)
            value.kind = 0;
        break;
    }
    }
    return value;
}

// The first eight bytes of a text, as an unsigned number that compares as
// the texts do (a shorter text counts as padded with zero bytes): most
// comparisons of a sort end here, without reading the log's text again.
uint64_t prefixOf(std::string_view text)
{
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return prefix;
}

// A row as a sort moves it: its value's class, its number or the start of
// its text, and the row.
struct SortEntry {
    uint64_t prefix = 0;
    double number = 0;
    int row = 0;
    int kind = 2;
};

void sortRowsBy(const LogDocument &document, std::vector<int> &rows, int column, bool descending)
{
    const ColumnOrder order = columnOrderOf(document, column);
    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (const int row : rows) {
        const SortValue value = sortValueOf(document.text(column, row), order);
        SortEntry entry;
        entry.kind = value.kind;
        entry.number = value.number;
        entry.row = row;
        // A time is compared as its six digits, which the prefix holds whole.
        entry.prefix = prefixOf(value.kind == 0 && order == ColumnOrder::Time
                                    ? std::string_view(value.time, 6)
                                    : value.text);
        entries.push_back(entry);
    }
    const bool byNumber = order == ColumnOrder::Number;
    // Negative, zero or positive as x comes before, with or after y, ascending.
    const auto compare = [&](const SortEntry &x, const SortEntry &y) {
        if (x.kind == 0 && byNumber)
            return x.number < y.number ? -1 : (y.number < x.number ? 1 : 0);
        if (x.prefix != y.prefix)
            return x.prefix < y.prefix ? -1 : 1;
        if (x.kind == 0)
            return 0;  // dates and times are whole in their prefix
        return trimmedView(document.text(column, x.row))
            .compare(trimmedView(document.text(column, y.row)));
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry &x, const SortEntry &y) {
        if (x.kind != y.kind)
            return x.kind < y.kind;
        if (x.kind == 2)
            return false;
        const int sign = compare(x, y);
        return descending ? sign > 0 : sign < 0;
    });
    for (size_t i = 0; i < entries.size(); ++i)
        rows[i] = entries[i].row;
}

}  // namespace

ColumnOrder columnOrderOf(const LogDocument &document, int column)
{
    if (column == 0)
        return ColumnOrder::Number;
    const std::string name = upperText(trimText(document.text(column, 0)));
    if (const CurrentField *field = findCurrentField(name)) {
        switch (field->type) {
        case AdifType::Date:
            return ColumnOrder::Date;
        case AdifType::Time:
            return ColumnOrder::Time;
        case AdifType::Number:
        case AdifType::Integer:
        case AdifType::PositiveInteger:
        case AdifType::Digit:
            return ColumnOrder::Number;
        default:
            return ColumnOrder::Text;
        }
    }
    switch (catalogueTypeOf(name)) {
    case TypeDate:
        return ColumnOrder::Date;
    case TypeTime:
        return ColumnOrder::Time;
    case TypeNumber:
        return ColumnOrder::Number;
    default:
        return ColumnOrder::Text;
    }
}

std::vector<int> allRows(const LogDocument &document)
{
    std::vector<int> rows(static_cast<size_t>(std::max(0, document.rowCount() - 1)));
    std::iota(rows.begin(), rows.end(), 1);
    return rows;
}

std::vector<int> sortedRows(const LogDocument &document, int column, bool descending)
{
    std::vector<int> rows = allRows(document);
    sortRowsBy(document, rows, column, descending);
    return rows;
}

std::vector<int> sortedRows(const LogDocument &document, const std::vector<SortKey> &keys)
{
    std::vector<int> rows = allRows(document);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        sortRowsBy(document, rows, key->column, key->descending);
    return rows;
}

std::vector<int> rowsMatching(const LogDocument &document, const std::vector<int> &rows,
                              const std::string &text, int column)
{
    if (text.empty())
        return rows;
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        const bool ascii = c < 128;
        fold[static_cast<size_t>(c)] = static_cast<unsigned char>(
            ascii || document.textEncoding() == TextEncoding::Latin1 ? upperChar(byte) : byte);
    }
    std::string needle = text;
    for (char &c : needle)
        c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    const auto first = static_cast<unsigned char>(needle.front());
    auto holds = [&](std::string_view cell) {
        if (cell.size() < needle.size())
            return false;
        const size_t last = cell.size() - needle.size();
        for (size_t at = 0; at <= last; ++at) {
            if (fold[static_cast<unsigned char>(cell[at])] != first)
                continue;
            size_t i = 1;
            while (i < needle.size()
                   && fold[static_cast<unsigned char>(cell[at + i])]
                       == static_cast<unsigned char>(needle[i]))
                ++i;
            if (i == needle.size())
                return true;
        }
        return false;
    };
    std::vector<int> kept;
    for (const int row : rows) {
        bool found = false;
        if (column >= 1)
            found = holds(document.text(column, row));
        for (int c = 1; column < 1 && !found && c < document.columnCount(); ++c)
            found = holds(document.text(c, row));
        if (found)
            kept.push_back(row);
    }
    return kept;
}

}  // namespace vaziduvu
