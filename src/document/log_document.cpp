#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/large_buffer.h"
#include "adif/text.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace vaziduvu {

namespace {

const std::string kEmptyText;
const char kRecordHeader[] = "RECORD #";

template <typename T> void reserveLarge(std::vector<T> &vector, size_t count)
{
    vector.reserve(count);
    adviseLargeBuffer(vector.data(), vector.capacity() * sizeof(T));
}

}  // namespace

LogDocument::LogDocument()
{
    reserveCells(1, 1);
}

LogDocument::~LogDocument() = default;

int LogDocument::cellTableColumns() const
{
    // A grid the Current mode made wider stays reachable after a switch.
    return adifMode_ == AdifMode::Classic ? std::max(kColumnSlots, columns_)
                                          : std::numeric_limits<int>::max() - 1;
}

int LogDocument::cellTableRows() const
{
    return adifMode_ == AdifMode::Classic ? std::max(kRowSlots, rows_)
                                          : std::numeric_limits<int>::max() - 1;
}

bool LogDocument::inSlots(int column, int row) const
{
    return column >= 0 && column < cellTableColumns() && row >= 0 && row < cellTableRows();
}

void LogDocument::reserveCells(int columns, int rows)
{
    columns = std::min(columns, cellTableColumns());
    rows = std::min(rows, cellTableRows());
    if (columns > stride_) {
        // Wider rows: every cell moves to its place in the new layout.
        const int stride = std::max(columns, stride_ + stride_ / 2);
        std::vector<uint16_t> codes;
        reserveLarge(codes, static_cast<size_t>(stride) * storedRows_);
        codes.resize(static_cast<size_t>(stride) * storedRows_, 0);
        for (int r = 0; r < storedRows_; ++r) {
            for (int c = 0; c < stride_; ++c)
                codes[static_cast<size_t>(r) * stride + c] = codes_[slot(c, r)];
        }
        // The blocks follow the new layout too.
        std::vector<std::unique_ptr<uint32_t[]>> blocks(blocks_.size());
        const size_t blockRows = size_t(1) << kBlockRowBits;
        for (size_t block = 0; block < blocks_.size(); ++block) {
            if (!blocks_[block])
                continue;
            blocks[block] = std::make_unique<uint32_t[]>(blockRows * static_cast<size_t>(stride));
            for (size_t r = 0; r < blockRows; ++r) {
                for (int c = 0; c < stride_; ++c)
                    blocks[block][r * stride + c] = blocks_[block][r * stride_ + c];
            }
        }
        codes_.swap(codes);
        blocks_.swap(blocks);
        stride_ = stride;
    }
    if (rows > storedRows_) {
        const int storedRows = std::max(rows, storedRows_ + storedRows_ / 2);
        if (codes_.capacity() < static_cast<size_t>(stride_) * storedRows) {
            // Grown in place of a copy: the new storage is advised before it is touched.
            std::vector<uint16_t> codes;
            reserveLarge(codes, static_cast<size_t>(stride_) * storedRows);
            codes.assign(codes_.begin(), codes_.end());
            codes_.swap(codes);
        }
        codes_.resize(static_cast<size_t>(stride_) * storedRows, 0);
        rowBases_.resize(static_cast<size_t>(storedRows), 0);
        trailers_.resize(static_cast<size_t>(storedRows));
        for (int r = static_cast<int>(numberEnds_.size()); r < storedRows; ++r) {
            numberTexts_ += std::to_string(r);
            numberEnds_.push_back(static_cast<uint32_t>(numberTexts_.size()));
        }
        storedRows_ = storedRows;
    }
}

uint32_t &LogDocument::elsewhereSlot(size_t slot, int row)
{
    const size_t block = static_cast<size_t>(row) >> kBlockRowBits;
    if (block >= blocks_.size())
        blocks_.resize(block + 1);
    if (!blocks_[block])
        blocks_[block] = std::make_unique<uint32_t[]>((size_t(1) << kBlockRowBits)
                                                      * static_cast<size_t>(stride_));
    return blocks_[block][slot - (block << kBlockRowBits) * static_cast<size_t>(stride_)];
}

void LogDocument::setCellValue(size_t slot, int row, uint32_t cell)
{
    uint16_t &code = codes_[slot];
    const uint32_t base = rowBases_[static_cast<size_t>(row)];
    if (cell == 0) {
        code = 0;
    } else if (cell == kRowNumber) {
        code = kRowNumberCode;
    } else if (isLoaded(cell) && cell > base && cell - base < kRowNumberCode) {
        code = static_cast<uint16_t>(cell - base);
    } else {
        elsewhereSlot(slot, row) = cell;
        code = kElsewhere;
    }
}

void LogDocument::swapSlots(size_t a, size_t b)
{
    if (codes_[a] == kElsewhere || codes_[b] == kElsewhere) {
        uint32_t &atA = elsewhereSlot(a, rowOf(a));
        uint32_t &atB = elsewhereSlot(b, rowOf(b));
        std::swap(atA, atB);
    }
    std::swap(codes_[a], codes_[b]);
}

void LogDocument::swapRows(int a, int b)
{
    for (int c = 0; c <= std::min(columns_, cellTableColumns() - 1) && c < stride_; ++c)
        swapSlots(slot(c, a), slot(c, b));
    std::swap(rowBases_[static_cast<size_t>(a)], rowBases_[static_cast<size_t>(b)]);
}

// --- cell storage ----------------------------------------------------------

void LogDocument::useLoadedText(std::shared_ptr<const LoadedText> text)
{
    loaded_ = std::move(text);
    loadedTags_ = loaded_ ? loaded_->tags.data() : nullptr;
    loadedSource_ = loaded_ ? loaded_->source.data() : nullptr;
}

// The loaded fields a cell record keeps of its tag; the tag text itself is
// not kept (the writers rebuild it) and the error span only matters for the
// source view.
void LogDocument::buildLoadedRecord(uint32_t cell, TagRecord &record, RecordTexts texts) const
{
    const TagFields tag = loaded_->fields(cell - 1);
    record.kind = tag.kind;
    record.hasLength = tag.hasLength;
    record.declaredLength = tag.declaredLength;
    record.hasType = tag.hasType;
    record.dataType = tag.dataType;
    if (texts == RecordTexts::With) {
        record.name = loaded_->tagNames[static_cast<size_t>(tag.nameIndex)];
        record.value = loaded_->valueOf(tag);
    } else {
        record.name.clear();
        record.value.clear();
    }
    record.errorCode = ParseStatus::Ok;
    record.errorPosition = 0;
    record.isTimeOn = tag.isTimeOn;
    record.comment = loaded_->commentOf(tag);
    record.valueOffset = tag.valueOffset();
    record.rawTag.clear();
    record.errorLength = 0;
}

LogDocument::OwnedCell &LogDocument::own(size_t slot)
{
    const int row = rowOf(slot);
    const uint32_t cell = cellValue(slot, row);
    if (isOwned(cell))
        return ownedAt(cell);
    uint32_t index = 0;
    if (freeOwned_.empty()) {
        if (ownedCount_ % kOwnedChunk == 0)
            ownedChunks_.push_back(std::make_unique<OwnedCell[]>(kOwnedChunk));
        index = ownedCount_++;
    } else {
        index = freeOwned_.back();
        freeOwned_.pop_back();
    }
    OwnedCell &owned = ownedAt(kOwned | index);
    if (cell == kRowNumber) {
        owned.text = rowNumberText(row);
    } else if (cell != 0) {
        owned.text = loadedValue(cell);
        owned.record = &owned.storage;
        buildLoadedRecord(cell, *owned.record);
    }
    setCellValue(slot, row, kOwned | index);
    return owned;
}

void LogDocument::emptySlot(size_t slot)
{
    if (codes_[slot] != 0)
        emptySlot(slot, rowOf(slot));
}

void LogDocument::emptySlot(size_t slot, int row)
{
    if (codes_[slot] == 0)
        return;
    const uint32_t cell = cellValue(slot, row);
    if (isOwned(cell)) {
        OwnedCell &owned = ownedAt(cell);
        owned.text.clear();
        owned.record = nullptr;
        freeOwned_.push_back(cell & ~kOwned);
    }
    setCellValue(slot, row, 0);
}

void LogDocument::clearText(size_t slot)
{
    if (codes_[slot] == 0)
        return;
    own(slot).text.clear();
    settle(slot);
}

void LogDocument::settle(size_t slot)
{
    if (codes_[slot] != kElsewhere)
        return;
    const uint32_t cell = cellValue(slot, rowOf(slot));
    if (isOwned(cell) && ownedAt(cell).text.empty() && !ownedAt(cell).record)
        emptySlot(slot);
}

// --- grid texts ----------------------------------------------------------

void LogDocument::setSize(int columns, int rows)
{
    columns = std::clamp(columns, 0, cellTableColumns());
    rows = std::clamp(rows, 0, cellTableRows());
    for (int r = 0; r < rows_; ++r) {
        for (int c = r < rows ? columns : 0; c < columns_; ++c)
            clearText(slot(c, r));
    }
    // One cell beyond the grid each way, as clearGrid reaches.
    reserveCells(columns + 1, rows + 1);
    columns_ = columns;
    rows_ = rows;
}

void LogDocument::setText(int column, int row, std::string text)
{
    if (!inSlots(column, row))
        throw std::out_of_range("grid cell outside the cell table");
    reserveCells(column + 1, row + 1);
    const size_t s = slot(column, row);
    if (codes_[s] == 0 && text.empty())
        return;
    journal(column, row);
    own(s).text = std::move(text);
    settle(s);
}

// --- cell records ----------------------------------------------------------

CellRecord LogDocument::cellInfo(int column, int row) const
{
    const uint32_t cell = cellAt(column, row);
    if (cell == 0)
        return {};
    if (isOwned(cell))
        return CellRecord(ownedAt(cell).record);
    if (cell == kRowNumber)
        return {};
    TagRecord record;
    buildLoadedRecord(cell, record);
    return CellRecord(std::move(record));
}

const TagRecord *LogDocument::recordAt(int column, int row, TagRecord &scratch,
                                       RecordTexts texts) const
{
    const uint32_t cell = cellAt(column, row);
    if (cell == 0)
        return nullptr;
    if (isOwned(cell))
        return ownedAt(cell).record;
    if (cell == kRowNumber)
        return nullptr;
    buildLoadedRecord(cell, scratch, texts);
    return &scratch;
}

TagRecord *LogDocument::editableCellInfo(int column, int row)
{
    const uint32_t cell = cellAt(column, row);
    if (cell == 0 || cell == kRowNumber || (isOwned(cell) && !ownedAt(cell).record))
        return nullptr;
    journal(column, row);
    return own(slot(column, row)).record;
}

TagRecord &LogDocument::setCellInfo(int column, int row, TagRecord record)
{
    if (!inSlots(column, row) || column < 1 || row < 1)
        throw std::out_of_range("cell record outside the data cells");
    reserveCells(column + 1, row + 1);
    journal(column, row);
    OwnedCell &owned = own(slot(column, row));
    if (!owned.record)
        owned.record = &owned.storage;
    *owned.record = std::move(record);
    return *owned.record;
}

void LogDocument::releaseCellInfo(int column, int row)
{
    if (!stored(column, row))
        return;
    const size_t s = slot(column, row);
    const uint32_t cell = cellValue(s, row);
    if (cell == 0 || cell == kRowNumber || (isOwned(cell) && !ownedAt(cell).record))
        return;
    journal(column, row);
    OwnedCell &owned = own(s);
    owned.record = nullptr;
    settle(s);
}

// --- record trailers ---------------------------------------------------------

const std::string &LogDocument::recordTrailer(int recordIndex) const
{
    if (recordIndex < 0 || recordIndex >= storedRows_)
        return kEmptyText;
    return trailers_[static_cast<size_t>(recordIndex)];
}

void LogDocument::setRecordTrailer(int recordIndex, std::string text)
{
    if (recordIndex < 0 || recordIndex >= cellTableRows())
        throw std::out_of_range("record trailer outside the trailer table");
    reserveCells(stride_, recordIndex + 1);
    journalTrailer(recordIndex);
    trailers_[static_cast<size_t>(recordIndex)] = std::move(text);
}

void LogDocument::clearRecordTrailers()
{
    for (std::string &trailer : trailers_)
        trailer.clear();
}

void LogDocument::setDocumentCounts(int fields, int records)
{
    fieldCount_ = fields;
    recordCount_ = records;
}

// --- loading -----------------------------------------------------------------

LogDocument::FillResult LogDocument::fillFrom(const AdifFile &file, Progress *progress)
{
    // Also for a refused file: its source text is shown in its encoding.
    textEncoding_ = file.textEncoding();
    if (!file.result())
        return FillResult::FormatError;

    const int fields = file.fieldCount();
    // A record without its end-of-record marker at the end is a record too.
    const int records = file.contactCount();
    setDocumentCounts(fields, records);
    if (adifMode_ == AdifMode::Classic && (fields > kLoadFieldLimit || records > kLoadRecordLimit))
        return FillResult::TooBig;
    try {
        const FillResult result = fill(file, progress);
        if (result == FillResult::Cancelled)
            reset();
        return result;
    } catch (const std::bad_alloc &) {
        reset();
        return FillResult::TooBig;
    }
}

LogDocument::FillResult LogDocument::fill(const AdifFile &file, Progress *progress)
{
    constexpr int kProgressRows = 1024;
    const int fields = file.fieldCount();
    const int records = file.contactCount();
    // Whatever an earlier document left behind goes first, so a fill never
    // mixes two logs even when the caller did not reset.
    clearGrid();
    clearRecordTrailers();
    setSize(fields + 1, records + 1);

    setText(0, 0, kRecordHeader);
    const std::vector<std::string> &names = file.fieldNames();
    for (int c = 0; c < fields; ++c)
        setText(c + 1, 0, names[static_cast<size_t>(c)]);
    // A tag's name index leads straight to its column (-1 for a field named
    // EOR, which has none).
    const std::vector<std::string> &tagNames = file.tagNames();
    std::vector<int> columnOfName(tagNames.size());
    for (size_t i = 0; i < tagNames.size(); ++i) {
        const int field = file.fieldOfTagName(static_cast<int>(i));
        columnOfName[i] = field < 0 ? -1 : field + 1;
    }

    // Every stored tag is walked: a record that repeats fields must not push
    // later records out of the grid. A field cell refers to its tag, whose
    // value and comment lie in the shared source text right after it.
    useLoadedText(file.loadedText());
    const size_t tags = loaded_->tags.size();
    int r = 0;
    bool numbered = false;
    uint32_t base = 0;  // the row's first tag
    for (size_t i = 0; i < tags; ++i) {
        // Most fields are read straight from their stored form.
        const StoredTag &tag = loadedTags_[i];
        if (tag.kind() == TagEndOfFile)
            break;
        if (tag.tagLength() == 0)
            continue;
        if (tag.kind() == TagEndOfRecord) {
            if (r < storedRows_)
                trailers_[static_cast<size_t>(r)] = file.valueOf(loaded_->fields(i));
            ++r;
            numbered = false;
            if (progress && r % kProgressRows == 0 && !progress->advance(r, records))
                return FillResult::Cancelled;
            continue;
        }
        const int nameIndex
            = tag.hasExtra() ? loaded_->fields(i).nameIndex : static_cast<int>(tag.shortName()) - 1;
        if (r >= records || nameIndex < 0)
            continue;  // after the last end-of-record marker: no row
        const int column = columnOfName[static_cast<size_t>(nameIndex)];
        if (column < 0)
            continue;  // a field named EOR has no column
        const int row = r + 1;
        if (!numbered) {
            base = static_cast<uint32_t>(i);
            rowBases_[static_cast<size_t>(row)] = base;
            setCellValue(slot(0, row), row, kRowNumber);
            numbered = true;
        }
        const size_t s = slot(column, row);
        const uint32_t code = static_cast<uint32_t>(i + 1) - base;
        if (codes_[s] == 0 && code < kRowNumberCode) {
            codes_[s] = static_cast<uint16_t>(code);
            continue;
        }
        emptySlot(s, row);  // a field repeated in its record: the last one counts
        setCellValue(s, row, static_cast<uint32_t>(i + 1));
    }
    if (progress && !progress->advance(records, records))
        return FillResult::Cancelled;

    documentOpen_ = true;
    return FillResult::Filled;
}

void LogDocument::clearGrid()
{
    const int lastColumn = std::min(columns_, cellTableColumns() - 1);
    const int lastRow = std::min(rows_, cellTableRows() - 1);
    for (int r = 0; r <= lastRow; ++r) {
        for (int c = 0; c <= lastColumn; ++c) {
            if (!stored(c, r))
                continue;
            // Only a cell kept elsewhere may own a text and a record to release.
            const size_t s = slot(c, r);
            if (codes_[s] == kElsewhere)
                emptySlot(s, r);
            else
                codes_[s] = 0;
        }
    }
}

void LogDocument::showEmptyGrid()
{
    setSize(2, 2);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c)
            clearText(slot(c, r));
    }
}

void LogDocument::reset()
{
    ++resetCount_;
    documentOpen_ = false;
    unsavedChanges_ = false;
    textEncoding_ = TextEncoding::Latin1;
    clearGrid();
    clearRecordTrailers();
    useLoadedText(nullptr);
    // A whole logbook's storage goes with it; up to the Classic table's size
    // it is kept for the next load.
    if (codes_.size() > static_cast<size_t>(kColumnSlots) * kRowSlots
        || ownedCount_ > static_cast<uint32_t>(kColumnSlots) * kRowSlots) {
        std::vector<uint16_t>().swap(codes_);
        std::vector<uint32_t>().swap(rowBases_);
        blocks_.clear();
        std::string().swap(numberTexts_);
        std::vector<uint32_t>().swap(numberEnds_);
        ownedChunks_.clear();
        ownedCount_ = 0;
        std::vector<uint32_t>().swap(freeOwned_);
        std::vector<std::string>().swap(trailers_);
        stride_ = 0;
        storedRows_ = 0;
        columns_ = 0;
        rows_ = 0;
        reserveCells(1, 1);
    }
    showEmptyGrid();
}

// --- cell helpers --------------------------------------------------------------

TagRecord *LogDocument::ensureCellRecord(int column, int row)
{
    if (!inSlots(column, row) || column < 1 || row < 1)
        return nullptr;
    if (TagRecord *existing = editableCellInfo(column, row))
        return existing;
    std::optional<TagRecord> created = blankRecordFor(column);
    if (!created)
        return nullptr;
    return &setCellInfo(column, row, std::move(*created));
}

std::optional<TagRecord> LogDocument::blankRecordFor(int column) const
{
    const int lastLoaded = std::min(recordCount_, cellTableRows() - 1);
    TagRecord scratch;
    const TagRecord *templateRecord = nullptr;
    for (int r = 1; r <= lastLoaded && !templateRecord; ++r) {
        const TagRecord *candidate = recordAt(column, r, scratch);
        if (candidate && candidate->kind != TagNone)
            templateRecord = candidate;
    }
    if (!templateRecord)
        return std::nullopt;

    TagRecord created;
    created.kind = templateRecord->kind;
    created.hasLength = templateRecord->hasLength;
    created.declaredLength = templateRecord->declaredLength;
    created.hasType = templateRecord->hasType;
    created.dataType = templateRecord->dataType;
    created.isTimeOn = templateRecord->isTimeOn;
    created.name = templateRecord->name;
    created.errorCode = templateRecord->errorCode;
    created.errorPosition = templateRecord->errorPosition;
    created.errorLength = templateRecord->errorLength;
    created.rawTag = templateRecord->rawTag;
    return created;
}

uint8_t LogDocument::columnStatus(int column) const
{
    const int lastLoaded = std::min(recordCount_, cellTableRows() - 1);
    TagRecord scratch;
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = recordAt(column, r, scratch);
        if (record && record->kind != TagNone)
            return record->kind;
    }
    return TagNone;
}

uint8_t LogDocument::columnDataType(int column) const
{
    const int lastLoaded = std::min(recordCount_, cellTableRows() - 1);
    TagRecord scratch;
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = recordAt(column, r, scratch);
        if (record && record->dataType != 6)
            return record->dataType;
    }
    return 6;
}

std::string LogDocument::columnFieldName(int column) const
{
    const int lastLoaded = std::min(recordCount_, cellTableRows() - 1);
    TagRecord scratch;
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = recordAt(column, r, scratch);
        if (record && !record->name.empty())
            return record->name;
    }
    return std::string();
}

bool LogDocument::anyLengthDiscrepancy() const
{
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const uint32_t cell = cellValue(slot(c, r), r);
            if (isOwned(cell)) {
                const TagRecord *record = ownedAt(cell).record;
                if (record && hasLengthDiscrepancy(*record))
                    return true;
                continue;
            }
            if (!isLoaded(cell))
                continue;
            const TagFields tag = loaded_->fields(cell - 1);
            if (tag.hasLength && tag.valueLength != tag.declaredLength)
                return true;
        }
    }
    return false;
}

bool LogDocument::hasLengthDiscrepancy(const TagRecord &record)
{
    return record.hasLength
        && static_cast<int64_t>(record.value.size()) != static_cast<int64_t>(record.declaredLength);
}

bool LogDocument::hasComment(const TagRecord &record)
{
    return !trimText(record.comment).empty();
}

std::string LogDocument::normalizeColumnHeader(int column)
{
    if (column < 0 || column >= columns_)
        return std::string();
    std::string header = trimText(upperText(std::string(text(column, 0))));
    if (header != text(column, 0))
        setText(column, 0, header);
    return header;
}

bool LogDocument::columnNameExists(const std::string &name)
{
    for (int c = 0; c < columns_; ++c) {
        if (normalizeColumnHeader(c) == name)
            return true;
    }
    return false;
}

// --- edits -----------------------------------------------------------------

int LogDocument::appendColumn(const TagRecord &templateRecord)
{
    if (columnLimitReached() || columns_ >= cellTableColumns() || rows_ < 1)
        return -1;
    const int column = columns_;
    setSize(columns_ + 1, rows_);
    setText(column, 0, templateRecord.name);
    for (int r = 1; r < rows_; ++r) {
        setCellInfo(column, r, templateRecord);
        setText(column, r, templateRecord.value);
    }
    return column;
}

void LogDocument::clearColumnTexts(int column)
{
    if (column < 1 || column >= columns_)
        return;
    for (int r = 1; r < rows_; ++r)
        clearText(slot(column, r));
}

int LogDocument::appendBlankRow()
{
    if (rowLimitReached() || rows_ >= cellTableRows() || columns_ < 1)
        return -1;
    const int row = rows_;
    setSize(columns_, rows_ + 1);
    setText(0, row, std::to_string(row));
    for (int c = 1; c < columns_; ++c)
        ensureCellRecord(c, row);
    return row;
}

LogDocument::AddedRow LogDocument::appendRowSameAsPrevious()
{
    if (rowLimitReached() || rows_ >= cellTableRows() || columns_ < 1)
        return {};
    const int row = rows_;
    setSize(columns_, rows_ + 1);
    setText(0, row, std::to_string(row));
    const bool noRowAbove = row <= 1;
    for (int c = 1; c < columns_; ++c) {
        TagRecord *created = ensureCellRecord(c, row);
        if (noRowAbove)
            continue;
        setText(c, row, std::string(text(c, row - 1)));
        const CellRecord above = cellInfo(c, row - 1);
        if (above && created) {
            created->comment = above->comment;
            created->value = above->value;
        }
    }
    return {row, noRowAbove};
}

void LogDocument::newProject()
{
    clearRecordTrailers();
    reset();
    setDocumentCounts(6, 2);
    documentOpen_ = true;
    setSize(6, 2);
    addDefaultCell(1, 1, 3, "CALL", "<CALL>", "NONE", false);
    addDefaultCell(2, 1, 0, "QSO_DATE", "<QSO_DATE>", "20010829", false);
    addDefaultCell(3, 1, 3, "MODE", "<MODE>", "CW", false);
    addDefaultCell(4, 1, 3, "BAND", "<BAND>", "160M", false);
    addDefaultCell(5, 1, 3, "TIME_ON", "<TIME_ON>", "120000", true);
    setText(0, 0, kRecordHeader);
    setText(0, 1, "1");
}

void LogDocument::addDefaultCell(int column, int row, uint8_t dataType, const std::string &name,
                                 const std::string &rawTag, const std::string &value, bool isTimeOn)
{
    TagRecord record;
    record.kind = TagKnownField;
    record.hasLength = true;
    record.declaredLength = 0;
    record.hasType = false;
    record.dataType = dataType;
    record.isTimeOn = isTimeOn;
    record.name = name;
    record.value = value;
    record.errorCode = ParseStatus::Ok;
    record.errorPosition = 0;
    record.errorLength = 0;
    record.rawTag = rawTag;
    setCellInfo(column, row, std::move(record));
    setText(column, row, value);
    setText(column, 0, name);
}

}  // namespace vaziduvu

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

namespace vaziduvu {

// --- change journal ------------------------------------------------------------

namespace {

uint64_t journalKey(int column, int row)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32)
        | static_cast<uint32_t>(column);
}

}  // namespace

void LogDocument::openJournal()
{
    journalOpen_ = true;
    journalShape_ = shape();
    journal_.clear();
    journaled_.clear();
}

std::vector<LogDocument::JournalEntry> LogDocument::closeJournal(GridShape &shapeBefore)
{
    journalOpen_ = false;
    shapeBefore = journalShape_;
    journaled_.clear();
    return std::move(journal_);
}

void LogDocument::journal(int column, int row)
{
    if (!journalOpen_ || !journaled_.insert(journalKey(column, row)).second)
        return;
    journal_.push_back({column, row, cellContent(column, row), {}});
}

void LogDocument::journalTrailer(int recordIndex)
{
    if (!journalOpen_ || !journaled_.insert(journalKey(recordIndex, -1)).second)
        return;
    journal_.push_back({recordIndex, -1, {}, recordTrailer(recordIndex)});
}

}  // namespace vaziduvu
