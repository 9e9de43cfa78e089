// The document's exact state, and the moves of whole rows and columns that
// undo and redo replay.
#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

#include <algorithm>
#include <iterator>

namespace vaziduvu {

// --- exact state -------------------------------------------------------------

CellContent LogDocument::cellContent(int column, int row) const
{
    CellContent content;
    content.text = text(column, row);
    TagRecord scratch;
    if (const TagRecord *record = recordAt(column, row, scratch))
        content.record = *record;
    return content;
}

void LogDocument::setCellContent(int column, int row, const CellContent &content)
{
    setText(column, row, content.text);
    if (content.record)
        setCellInfo(column, row, *content.record);
    else
        releaseCellInfo(column, row);
}

void LogDocument::putContent(int column, int row, const CellContent &content)
{
    const size_t s = slot(column, row);
    emptySlot(s);
    if (content.text.empty() && !(content.record && column >= 1))
        return;
    OwnedCell &owned = own(s);
    owned.text = content.text;
    if (content.record && column >= 1) {
        owned.record = &owned.storage;
        *owned.record = *content.record;
    }
}

void LogDocument::setShape(const GridShape &shape)
{
    setSize(shape.columns, shape.rows);
    setDocumentCounts(shape.fields, shape.records);
}

void LogDocument::copyFrom(const LogDocument &other)
{
    if (this == &other)
        return;
    clearGrid();
    clearRecordTrailers();
    adifMode_ = other.adifMode_;
    useLoadedText(other.loaded_);
    setSize(other.columns_, other.rows_);
    for (int r = 0; r <= std::min(rows_, cellTableRows() - 1); ++r) {
        if (r < other.storedRows_)
            rowBases_[static_cast<size_t>(r)] = other.rowBases_[static_cast<size_t>(r)];
        for (int c = 0; c <= std::min(columns_, cellTableColumns() - 1); ++c) {
            if (!other.stored(c, r))
                continue;
            const uint32_t cell = other.cellValue(other.slot(c, r), r);
            if (!isOwned(cell)) {
                setCellValue(slot(c, r), r, cell);
                continue;
            }
            const OwnedCell &from = other.ownedAt(cell);
            OwnedCell &to = own(slot(c, r));
            to.text = from.text;
            if (from.record) {
                to.record = &to.storage;
                *to.record = *from.record;
            }
        }
    }
    reserveCells(stride_, static_cast<int>(other.trailers_.size()));
    std::copy(other.trailers_.begin(), other.trailers_.end(), trailers_.begin());
    fieldCount_ = other.fieldCount_;
    recordCount_ = other.recordCount_;
    documentOpen_ = other.documentOpen_;
    unsavedChanges_ = other.unsavedChanges_;
    adifMode_ = other.adifMode_;
    textEncoding_ = other.textEncoding_;
}

void LogDocument::renumberRowsFrom(int row)
{
    for (int r = std::max(row, 1); r < rows_; ++r) {
        // A number as loaded is its row's by itself; a written one is set.
        const uint32_t cell = cellAt(0, r);
        if (isOwned(cell) && !ownedAt(cell).text.empty())
            ownedAt(cell).text = std::to_string(r);
    }
}

void LogDocument::reorderRows(const std::vector<int> &order)
{
    const size_t count = std::min(order.size(), static_cast<size_t>(std::max(0, rows_ - 1)));
    std::vector<int> at(static_cast<size_t>(rows_));     // at[position]: the row standing there
    std::vector<int> where(static_cast<size_t>(rows_));  // where[row]: its position now
    for (int r = 0; r < rows_; ++r) {
        at[static_cast<size_t>(r)] = r;
        where[static_cast<size_t>(r)] = r;
    }
    for (size_t i = 0; i < count; ++i) {
        const int target = static_cast<int>(i) + 1;
        const int from = where[static_cast<size_t>(order[i])];
        if (from == target)
            continue;
        swapRows(target, from);
        std::swap(trailers_[static_cast<size_t>(target - 1)],
                  trailers_[static_cast<size_t>(from - 1)]);
        const int displaced = at[static_cast<size_t>(target)];
        at[static_cast<size_t>(target)] = order[i];
        at[static_cast<size_t>(from)] = displaced;
        where[static_cast<size_t>(order[i])] = target;
        where[static_cast<size_t>(displaced)] = from;
    }
    renumberRowsFrom(1);
}

std::vector<LogDocument::RowContent> LogDocument::removeRows(const std::vector<int> &rows)
{
    std::vector<RowContent> removed;
    std::vector<bool> isRemoved(static_cast<size_t>(rows_), false);
    for (int row : rows) {
        if (row < 1 || row >= rows_ || isRemoved[static_cast<size_t>(row)])
            continue;
        isRemoved[static_cast<size_t>(row)] = true;
    }
    int loadedRemoved = 0;
    for (int r = 1; r < rows_; ++r) {
        if (!isRemoved[static_cast<size_t>(r)])
            continue;
        RowContent content;
        content.row = r;
        for (int c = 0; c < columns_; ++c)
            content.cells.push_back(cellContent(c, r));
        content.trailer = trailers_[static_cast<size_t>(r - 1)];
        removed.push_back(std::move(content));
        if (r <= recordCount_)
            ++loadedRemoved;
    }
    if (removed.empty())
        return removed;

    // Compact: every kept row moves up over the removed ones.
    int to = 1;
    for (int from = 1; from < rows_; ++from) {
        if (isRemoved[static_cast<size_t>(from)])
            continue;
        if (to != from) {
            swapRows(to, from);
            std::swap(trailers_[static_cast<size_t>(to - 1)],
                      trailers_[static_cast<size_t>(from - 1)]);
        }
        ++to;
    }
    // What is left below the kept rows is the removed rows' storage.
    for (int r = to; r < rows_; ++r) {
        for (int c = 0; c <= std::min(columns_, cellTableColumns() - 1); ++c)
            emptySlot(slot(c, r));
        trailers_[static_cast<size_t>(r - 1)].clear();
    }
    rows_ = to;
    recordCount_ -= loadedRemoved;
    renumberRowsFrom(removed.front().row);
    return removed;
}

void LogDocument::insertRows(const std::vector<RowContent> &rows)
{
    if (rows.empty())
        return;
    const int total = rows_ + static_cast<int>(rows.size());
    if (total > cellTableRows())
        throw std::out_of_range("rows beyond the cell table");
    reserveCells(columns_ + 1, total + 1);
    // Walk the final grid from the bottom: each slot takes either an
    // inserted row or the next kept row from below.
    int from = rows_ - 1;
    auto next = rows.rbegin();
    for (int to = total - 1; to >= 1; --to) {
        if (next != rows.rend() && next->row == to) {
            for (int c = 0; c <= std::min(columns_, cellTableColumns() - 1); ++c)
                emptySlot(slot(c, to));
            for (int c = 0; c < static_cast<int>(next->cells.size()) && c < stride_; ++c)
                putContent(c, to, next->cells[static_cast<size_t>(c)]);
            trailers_[static_cast<size_t>(to - 1)] = next->trailer;
            ++next;
            continue;
        }
        if (from != to) {
            swapRows(to, from);
            std::swap(trailers_[static_cast<size_t>(to - 1)],
                      trailers_[static_cast<size_t>(from - 1)]);
        }
        --from;
    }
    rows_ = total;
    renumberRowsFrom(rows.front().row);
}

std::vector<CellContent> LogDocument::removeColumn(int column)
{
    std::vector<CellContent> removed;
    if (column < 1 || column >= columns_)
        return removed;
    for (int r = 0; r < rows_; ++r) {
        removed.push_back(cellContent(column, r));
        for (int c = column; c + 1 <= std::min(columns_, cellTableColumns() - 1); ++c)
            swapSlots(slot(c, r), slot(c + 1, r));
        emptySlot(slot(std::min(columns_, cellTableColumns() - 1), r));
    }
    --columns_;
    if (column <= fieldCount_)
        --fieldCount_;
    return removed;
}

void LogDocument::insertColumn(int column, const std::vector<CellContent> &cells)
{
    if (column < 1 || column > columns_)
        return;
    if (columns_ + 1 > cellTableColumns())
        throw std::out_of_range("column beyond the cell table");
    reserveCells(columns_ + 2, rows_ + 1);
    ++columns_;
    for (int r = 0; r < rows_; ++r) {
        for (int c = std::min(columns_, cellTableColumns() - 1); c > column; --c)
            swapSlots(slot(c, r), slot(c - 1, r));
        emptySlot(slot(column, r));
        if (r < static_cast<int>(cells.size())) {
            const CellContent &cell = cells[static_cast<size_t>(r)];
            if (r >= 1) {
                putContent(column, r, cell);
            } else if (!cell.text.empty()) {
                own(slot(column, r)).text = cell.text;
            }
        }
    }
}

}  // namespace vaziduvu
