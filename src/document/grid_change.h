#pragma once

#include "adif/tag_record.h"

#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

class LogDocument;
class RecordReader;
class RecordWriter;

// What one grid cell holds: its text and its record (none for the headings,
// the record numbers and cells never given one).
struct CellContent {
    std::string text;
    std::optional<TagRecord> record;

    bool operator==(const CellContent &other) const;
    bool operator!=(const CellContent &other) const { return !(*this == other); }
};

bool sameRecord(const TagRecord &a, const TagRecord &b);

// The grid's size and the document counts, which every change may move.
struct GridShape {
    int columns = 0;
    int rows = 0;
    int fields = 0;
    int records = 0;

    bool operator==(const GridShape &other) const;
};

// A block of cells: columns first..last and rows first..last (inclusive).
struct GridRegion {
    int firstColumn = 0;
    int lastColumn = -1;
    int firstRow = 0;
    int lastRow = -1;

    // Every cell of the grid and one column and one row beyond it, so a
    // change that adds a column or a row is seen whole.
    static GridRegion wholeGrid(const LogDocument &document);
    static GridRegion column(const LogDocument &document, int column);
    static GridRegion cell(int column, int row) { return {column, column, row, row}; }
};

// One recorded change of the document: the cells and record trailers it
// altered, each as it was before and after, and the shape before and after.
// Made by capturing a region before an operation and comparing it after;
// only what differs is kept, so a change of one cell in a large log is
// small. undo() puts the before side back exactly (texts, records,
// trailers, size, counts), redo() the after side.
class GridChange {
public:
    // Copies the region (and the trailers of its rows) as it is now.
    static GridChange capture(const LogDocument &document, GridRegion region);
    // The change an operation made while the document's journal was open
    // (closes it): only the cells it changed are copied, whatever the size
    // of the log.
    static GridChange fromJournal(LogDocument &document);
    // Compares the region with what was captured and keeps the differences.
    void finish(const LogDocument &document);

    bool empty() const { return cells_.empty() && trailers_.empty() && before_ == after_; }
    void undo(LogDocument &document) const;
    void redo(LogDocument &document) const;

    // Folds a later change into this one: undo then goes back to before
    // both, redo forward to after both.
    void absorb(const GridChange &later);
    // Cells the change touches (for a merge of typing into one cell).
    int changedCellCount() const { return static_cast<int>(cells_.size()); }
    // The grid's size and counts the change starts from.
    const GridShape &shapeBefore() const { return before_; }
    const GridShape &shapeAfter() const { return after_; }

    // A finished change as bytes and back (the recovery journal): both
    // sides of every cell and trailer, and both shapes. readFrom gives
    // nullopt for bytes that are not such a change.
    void writeTo(RecordWriter &out) const;
    static std::optional<GridChange> readFrom(RecordReader &in);

private:
    struct CellEdit {
        int column = 0;
        int row = 0;
        CellContent before;
        CellContent after;
    };
    struct TrailerEdit {
        int record = 0;
        std::string before;
        std::string after;
    };

    GridRegion region_;
    std::vector<CellContent> captured_;  // the region, row by row, until finish()
    std::vector<std::string> capturedTrailers_;
    std::vector<CellEdit> cells_;
    std::vector<TrailerEdit> trailers_;
    GridShape before_;
    GridShape after_;
};

}  // namespace vaziduvu
