#pragma once

#include "adif/adif_file.h"
#include "adif/adif_mode.h"
#include "adif/progress.h"
#include "adif/tag_record.h"
#include "document/grid_change.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace vaziduvu {

class AdifFile;

// A cell's record as read (LogDocument::cellInfo): the stored record, or
// one built for the call from the loaded text of a cell never changed.
// Behaves as a pointer to a const record; keep it while using the record.
class CellRecord {
public:
    CellRecord() = default;
    explicit CellRecord(const TagRecord *stored)
        : stored_(stored)
    {
    }
    explicit CellRecord(TagRecord built)
        : built_(std::move(built))
    {
    }

    const TagRecord *get() const { return built_ ? &*built_ : stored_; }
    const TagRecord *operator->() const { return get(); }
    const TagRecord &operator*() const { return *get(); }
    explicit operator bool() const { return get() != nullptr; }
    friend bool operator==(const CellRecord &record, std::nullptr_t) { return !record; }
    friend bool operator!=(const CellRecord &record, std::nullptr_t) { return bool(record); }

private:
    const TagRecord *stored_ = nullptr;
    std::optional<TagRecord> built_;
};

// The open log: the grid texts (what the user sees and edits), the per-cell
// records behind them (cellInfo), the text that followed each record's
// end-of-record marker (recordTrailers), the document counts and the two
// document flags. Plain C++: the window shows it through a table model, the
// writers and the command-line tool read it directly.
//
// Storage: a loaded cell refers to its tag in the text it was read from
// (shared with the reader) until it is changed, and a record number as
// loaded reads as its row's number; only changed cells and the headings hold
// a text and a record of their own.
//
// Grid convention: column 0 is the fixed record-number column ("RECORD #" in
// its top cell), row 0 the fixed row of upper-case field names; cell (c, r)
// holds field c - 1 of record r - 1. Column 0 and row 0 never hold a record.
class LogDocument {
public:
    // The Classic mode's bounds: the cell table reaches kColumnSlots columns
    // and kRowSlots rows (record trailers too), and the load and add limits
    // below hold. In the Current mode the table grows with the log, limited by
    // memory alone. Either way storage is only taken for the grid in use.
    static constexpr int kColumnSlots = 50;     // cellInfo columns
    static constexpr int kRowSlots = 4101;      // cellInfo rows, recordTrailers entries
    static constexpr int kLoadFieldLimit = 48;  // a load with more field names is refused
    static constexpr int kLoadRecordLimit = 4000;
    static constexpr int kAddColumnLimit = 48;  // columns are added while fewer than this
    static constexpr int kAddRowLimit = 4000;   // rows are added while fewer than this
    static constexpr int kEditLimit = 1000;     // characters a grid edit may hold

    LogDocument();
    ~LogDocument();
    LogDocument(const LogDocument &) = delete;
    LogDocument &operator=(const LogDocument &) = delete;

    // --- grid texts ------------------------------------------------------
    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }
    // Resizes the grid (bounded by the cell table); texts outside the new
    // size are emptied, records are left to clearGrid.
    void setSize(int columns, int rows);
    // How far the cell table may reach: kColumnSlots x kRowSlots in the
    // Classic mode (or the grid, when the Current mode made it larger), as
    // far as an int counts in the Current mode.
    int cellTableColumns() const;
    int cellTableRows() const;
    // The view lasts until the cell is changed or the document is reset.
    std::string_view text(int column, int row) const
    {
        const uint32_t cell = cellAt(column, row);
        if (cell == 0)
            return {};
        if (isOwned(cell))
            return ownedAt(cell).text;
        if (cell == kRowNumber)
            return rowNumberText(row);
        return loadedValue(cell);
    }
    void setText(int column, int row, std::string text);
    // True when the cell holds nothing: no text and no record.
    bool isBare(int column, int row) const { return cellAt(column, row) == 0; }

    // --- cell records (cellInfo) ------------------------------------------
    CellRecord cellInfo(int column, int row) const;
    // The record of a cell, read into the scratch record when it is still
    // as loaded: no allocation for a short value once the scratch has room.
    // nullptr when the cell has none. Without texts, a loaded cell's record
    // leaves its name and value empty (its flags, type and comment are
    // read): for a caller that takes the value from text(), as an export does.
    enum class RecordTexts { With, Without };
    const TagRecord *recordAt(int column, int row, TagRecord &scratch,
                              RecordTexts texts = RecordTexts::With) const;
    // The record itself, to change in place; nullptr when the cell has none.
    TagRecord *editableCellInfo(int column, int row);
    TagRecord &setCellInfo(int column, int row, TagRecord record);
    void releaseCellInfo(int column, int row);

    // --- record trailers --------------------------------------------------
    const std::string &recordTrailer(int recordIndex) const;
    void setRecordTrailer(int recordIndex, std::string text);
    void clearRecordTrailers();

    // --- document counts and flags ---------------------------------------
    int fieldCount() const { return fieldCount_; }
    int recordCount() const { return recordCount_; }
    void setDocumentCounts(int fields, int records);
    bool documentOpen() const { return documentOpen_; }
    void setDocumentOpen(bool open) { documentOpen_ = open; }
    bool unsavedChanges() const { return unsavedChanges_; }
    void setUnsavedChanges(bool changed) { unsavedChanges_ = changed; }
    // The ADIF the document is checked against (set by the window or the
    // command-line tool; kept by reset()), and how its text is shown (set by
    // a load; reset() returns it to Latin1).
    AdifMode adifMode() const { return adifMode_; }
    void setAdifMode(AdifMode mode) { adifMode_ = mode; }
    TextEncoding textEncoding() const { return textEncoding_; }
    void setTextEncoding(TextEncoding encoding) { textEncoding_ = encoding; }

    // --- loading ---------------------------------------------------------
    enum class FillResult {
        Filled,       // parse ok, grid laid out and filled
        TooBig,       // Classic: parse ok, but 49+ field names or 4,001+ records: refused
        FormatError,  // the parse failed; counts unchanged, nothing filled
        Cancelled,    // the progress asked to stop: the document is reset
    };
    // Sets the document counts when the parse succeeded, refuses files that
    // are too big, and otherwise lays out and fills the grid, cellInfo and
    // recordTrailers by walking every stored tag. Sets the document-open flag
    // only when filled. The document takes the file's text encoding in every
    // case; texts are the file's bytes, never converted. The progress, when
    // given, hears of the rows filled now and then and may stop the fill.
    // Running out of memory resets the document and gives TooBig.
    FillResult fillFrom(const AdifFile &file, Progress *progress = nullptr);
    // Fills the document with one batch of a log read a batch at a time
    // (AdifBatchReader): its `records` records as rows 1.., under the whole
    // log's `columns` (the batch's field names are a leading part of them,
    // in the same order). The cells refer to the batch's text as a load's
    // refer to the file's. No limit is checked: the caller decided on the
    // whole log.
    FillResult fillFromBatch(const AdifFile &batch, const std::vector<std::string> &columns,
                             int records);

    // Empties every cell text and releases every record in columns
    // 0..columnCount and rows 0..rowCount (one beyond the grid each way).
    void clearGrid();
    // A 2 x 2 grid with one fixed row and column, all cells empty.
    void showEmptyGrid();
    // Clears both flags, clearGrid, empties the trailers, showEmptyGrid.
    void reset();
    // How many resets the document has had: tells a command whether the
    // document it started with is still there.
    int resetCount() const { return resetCount_; }

    // --- cell helpers ----------------------------------------------------
    // The record at (c, r), created from the column's template (the first
    // loaded row's record whose kind is not TagNone, with empty value and
    // comment) when missing; nullptr when the column has no template.
    TagRecord *ensureCellRecord(int column, int row);
    // The record ensureCellRecord would create in the column, without
    // storing it; nullopt when the column has no template.
    std::optional<TagRecord> blankRecordFor(int column) const;
    // The record a column whose template is `record` gives a blank cell.
    static TagRecord blankLike(const TagRecord &record);
    // Column summaries over the loaded rows 1..recordCount.
    uint8_t columnStatus(int column) const;
    uint8_t columnDataType(int column) const;
    std::string columnFieldName(int column) const;

    // What the whole log says of each column, for a document that holds one
    // batch of it: the column template and summaries above then come from
    // here, not from the batch's rows, so every batch is checked and written
    // as the whole log would be. Index: column.
    struct WholeLogColumn {
        std::optional<TagRecord> blank;  // what blankRecordFor gives
        uint8_t status = TagNone;
        uint8_t dataType = 6;
        std::string fieldName;
        int32_t firstValueOffset = -1;  // the column's first value in the file
    };
    void useWholeLogColumns(std::shared_ptr<const std::vector<WholeLogColumn>> columns)
    {
        wholeLogColumns_ = std::move(columns);
    }
    const WholeLogColumn *wholeLogColumn(int column) const
    {
        return wholeLogColumns_ && column >= 0
                && static_cast<size_t>(column) < wholeLogColumns_->size()
            ? &(*wholeLogColumns_)[static_cast<size_t>(column)]
            : nullptr;
    }
    // True when any record of the grid has a length discrepancy: a value whose
    // byte count is not its declared length. A value the Current mode read
    // with its length counted in characters is longer in bytes than declared,
    // so it shows as one too.
    bool anyLengthDiscrepancy() const;
    static bool hasLengthDiscrepancy(const TagRecord &record);
    // True when the trimmed comment of the record is not empty.
    static bool hasComment(const TagRecord &record);

    // Upper-cases and trims the header cell of the column, writes it back and
    // returns it.
    std::string normalizeColumnHeader(int column);
    // Normalises every header from column 0 on and compares it exactly.
    bool columnNameExists(const std::string &name);

    // --- edits ----------------------------------------------------------
    // Appends a column headed by the template's name; every row 1..last gets
    // a copy of the template and its value as text. Returns the new column,
    // or -1 (nothing added) when columnLimitReached().
    int appendColumn(const TagRecord &templateRecord);
    // Empties the texts of rows 1..last of the column; records stay.
    void clearColumnTexts(int column);
    // Classic only: the Current mode adds as long as memory lasts.
    bool columnLimitReached() const
    {
        return adifMode_ == AdifMode::Classic && columns_ >= kAddColumnLimit;
    }
    bool rowLimitReached() const { return adifMode_ == AdifMode::Classic && rows_ >= kAddRowLimit; }
    // Appends a row with its index in the record-number cell and a record
    // from ensureCellRecord in every column. Returns the new row, or -1
    // (nothing added) when rowLimitReached(); the same holds for the copy.
    int appendBlankRow();
    // Appends a row that copies the texts of the row above, and the value and
    // comment of its records.
    struct AddedRow {
        int row = -1;             // the new row; -1: nothing added
        bool noRowAbove = false;  // the grid had no data row to copy
    };
    AddedRow appendRowSameAsPrevious();
    // The new project's document: counts 6 and 2, a 6 x 2 grid holding the
    // default record, the document-open flag set.
    void newProject();
    void addDefaultCell(int column, int row, uint8_t dataType, const std::string &name,
                        const std::string &rawTag, const std::string &value, bool isTimeOn);

    // --- exact state, for undo and for checking a copy ----------------------
    CellContent cellContent(int column, int row) const;
    // Sets the text and the record (a cell without record has its record
    // released); records exist only in data cells.
    void setCellContent(int column, int row, const CellContent &content);
    GridShape shape() const { return {columns_, rows_, fieldCount_, recordCount_}; }
    void setShape(const GridShape &shape);
    // Makes this document a copy of the other: texts, records, trailers,
    // counts, flags and settings.
    void copyFrom(const LogDocument &other);

    // A removed row as it stood: every cell of it and its record's trailer.
    struct RowContent {
        int row = 0;
        std::vector<CellContent> cells;  // columns 0..columnCount-1
        std::string trailer;
    };
    // Removes the data rows (1..last, ascending, no repeats): the rows below
    // move up with their trailers, the record numbers follow their new rows,
    // and the record count loses the loaded rows removed. Returns what was
    // removed, for insertRows to put back.
    std::vector<RowContent> removeRows(const std::vector<int> &rows);
    // Puts rows back where removeRows took them from (counts are the
    // caller's to restore).
    void insertRows(const std::vector<RowContent> &rows);
    // Puts the data rows in the order given: order[i] is the row that becomes
    // row i + 1 (a permutation of 1..last). Texts, records and trailers move
    // with their rows; the record numbers follow the new rows. The inverse
    // order puts them back exactly.
    void reorderRows(const std::vector<int> &order);
    // Removes a data column (1..last): the columns to its right move left,
    // the field count loses it when it was loaded. Returns its cells.
    std::vector<CellContent> removeColumn(int column);
    void insertColumn(int column, const std::vector<CellContent> &cells);

    // --- change journal ---------------------------------------------------
    // While a journal is open, the first change of a cell through setText,
    // setCellInfo, releaseCellInfo, ensureCellRecord or normalizeColumnHeader
    // (and of a trailer through setRecordTrailer) keeps the cell as it was,
    // so recording what an operation changed costs only the cells it
    // changed, however large the log (GridChange::fromJournal).
    struct JournalEntry {
        int column = 0;
        int row = 0;  // -1: the trailer of record `column`
        CellContent before;
        std::string trailerBefore;
    };
    void openJournal();
    // Closes the journal and hands over what it kept, in the order of the
    // first changes, with the shape the document had when it was opened.
    std::vector<JournalEntry> closeJournal(GridShape &shapeBefore);

private:
    // The heading of the record-number column.
    static constexpr const char *kRecordHeading = "RECORD #";
    void journal(int column, int row);
    void journalTrailer(int recordIndex);
    size_t slot(int column, int row) const
    {
        return static_cast<size_t>(row) * static_cast<size_t>(stride_)
            + static_cast<size_t>(column);
    }
    void renumberRowsFrom(int row);
    bool inSlots(int column, int row) const;
    // True when the cell has storage (the table grows on demand).
    bool stored(int column, int row) const
    {
        return column >= 0 && column < stride_ && row >= 0 && row < storedRows_;
    }
    // Makes room for columns x rows cells (within the bounds), keeping every
    // cell where it is.
    void reserveCells(int columns, int rows);
    FillResult fill(const AdifFile &file, const std::vector<std::string> &names, int records,
                    Progress *progress);

    // A changed cell's own text and record (nullptr: none). The record is
    // kept beside the text, so a walk over the grid meets both together;
    // a released one keeps its old contents until it is handed out again,
    // and every way a record is handed out overwrites all of its fields.
    // The cell never moves (the record points into it).
    struct OwnedCell {
        OwnedCell() = default;
        OwnedCell(const OwnedCell &) = delete;
        OwnedCell &operator=(const OwnedCell &) = delete;

        std::string text;
        TagRecord *record = nullptr;  // &storage when the cell has a record
        TagRecord storage;
    };
    // What a cell holds: 0 (empty), a loaded tag's index + 1, kRowNumber
    // (the number of its row, as fill writes it), or an owned cell's index
    // with kOwned set.
    static constexpr uint32_t kOwned = 0x80000000u;
    static constexpr uint32_t kRowNumber = 0x7FFFFFFFu;
    static bool isOwned(uint32_t cell) { return (cell & kOwned) != 0; }
    static bool isLoaded(uint32_t cell) { return cell != 0 && cell < kRowNumber; }
    // A slot keeps it in two bytes: a loaded tag as the distance from its
    // row's first tag (its code), the row number as kRowNumberCode, anything
    // else (an owned cell, a tag too far from its row's first) in the
    // blocks of whole cells, made for 64 rows at a time where needed.
    static constexpr uint16_t kRowNumberCode = 0xFFFE;
    static constexpr uint16_t kElsewhere = 0xFFFF;
    uint32_t cellValue(size_t slot, int row) const
    {
        const uint16_t code = codes_[slot];
        if (code == 0)
            return 0;
        if (code < kRowNumberCode)
            return rowBases_[static_cast<size_t>(row)] + code;
        if (code == kRowNumberCode)
            return kRowNumber;
        return elsewhereAt(slot, row);
    }
    static constexpr int kBlockRowBits = 6;
    uint32_t elsewhereAt(size_t slot, int row) const
    {
        const size_t block = static_cast<size_t>(row) >> kBlockRowBits;
        return blocks_[block][slot - (block << kBlockRowBits) * static_cast<size_t>(stride_)];
    }
    uint32_t &elsewhereSlot(size_t slot, int row);
    void setCellValue(size_t slot, int row, uint32_t cell);
    void swapSlots(size_t a, size_t b);
    // Moves whole rows: their cells (one beyond the grid) and bases.
    void swapRows(int a, int b);
    uint32_t cellAt(int column, int row) const
    {
        return stored(column, row) ? cellValue(slot(column, row), row) : 0;
    }
    int rowOf(size_t slot) const { return static_cast<int>(slot / static_cast<size_t>(stride_)); }
    std::string_view rowNumberText(int row) const
    {
        const uint32_t begin = row == 0 ? 0 : numberEnds_[static_cast<size_t>(row - 1)];
        return std::string_view(numberTexts_)
            .substr(begin, numberEnds_[static_cast<size_t>(row)] - begin);
    }
    // Owned cells live in chunks that never move, found by shift and mask.
    static constexpr uint32_t kOwnedChunkBits = 10;
    static constexpr uint32_t kOwnedChunk = 1u << kOwnedChunkBits;
    OwnedCell &ownedAt(uint32_t cell)
    {
        const uint32_t index = cell & ~kOwned;
        return ownedChunks_[index >> kOwnedChunkBits][index & (kOwnedChunk - 1)];
    }
    const OwnedCell &ownedAt(uint32_t cell) const
    {
        const uint32_t index = cell & ~kOwned;
        return ownedChunks_[index >> kOwnedChunkBits][index & (kOwnedChunk - 1)];
    }

    void useLoadedText(std::shared_ptr<const LoadedText> text);
    // A loaded field's value, which follows its tag.
    std::string_view loadedValue(uint32_t cell) const { return loaded_->valueAt(cell - 1); }
    void buildLoadedRecord(uint32_t cell, TagRecord &record,
                           RecordTexts texts = RecordTexts::With) const;
    // The cell's own text and record, made from what it holds (the loaded
    // text and record of a loaded cell); the slot must be stored.
    OwnedCell &own(size_t slot);
    // Makes the slot empty, its owned cell and record released.
    void emptySlot(size_t slot);
    void emptySlot(size_t slot, int row);
    // Empties the text, keeping the record.
    void clearText(size_t slot);
    // An owned cell left with no text and no record frees its slot.
    void settle(size_t slot);
    void putContent(int column, int row, const CellContent &content);

    int columns_ = 0;
    int rows_ = 0;
    int stride_ = 0;                  // columns of storage per row
    int storedRows_ = 0;              // rows of storage
    std::vector<uint16_t> codes_;     // storedRows_ x stride_
    std::vector<uint32_t> rowBases_;  // storedRows_: the first tag a row's codes count from
    std::vector<std::unique_ptr<uint32_t[]>> blocks_;  // whole cells of kElsewhere slots
    std::string numberTexts_;                          // "0" "1" "2" ... for storedRows_ rows
    std::vector<uint32_t> numberEnds_;
    std::vector<std::unique_ptr<OwnedCell[]>> ownedChunks_;
    uint32_t ownedCount_ = 0;  // owned cells handed out, free ones included
    std::vector<uint32_t> freeOwned_;
    std::shared_ptr<const LoadedText> loaded_;  // what loaded cells refer to
    const StoredTag *loadedTags_ = nullptr;     // loaded_'s tags
    std::shared_ptr<const std::vector<WholeLogColumn>> wholeLogColumns_;
    std::vector<std::string> trailers_;  // storedRows_
    int fieldCount_ = 0;
    int recordCount_ = 0;
    bool documentOpen_ = false;
    bool unsavedChanges_ = false;
    int resetCount_ = 0;
    AdifMode adifMode_ = AdifMode::Classic;
    TextEncoding textEncoding_ = TextEncoding::Latin1;
    bool journalOpen_ = false;
    GridShape journalShape_;
    std::vector<JournalEntry> journal_;
    std::unordered_set<uint64_t> journaled_;  // cells (and trailers) already kept
};

}  // namespace vaziduvu
