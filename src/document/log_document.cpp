#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace vaziduvu {

namespace {

const std::string kEmptyText;
const char kRecordHeader[] = "RECORD #";

// The loaded fields a cell record keeps of its tag; the tag text itself is
// not kept (the writers rebuild it) and the error span only matters for the
// source view.
TagRecord cellRecordOf(const TagRecord &tag)
{
    TagRecord cell;
    cell.kind = tag.kind;
    cell.hasLength = tag.hasLength;
    cell.declaredLength = tag.declaredLength;
    cell.hasType = tag.hasType;
    cell.dataType = tag.dataType;
    cell.name = tag.name;
    cell.value = tag.value;
    cell.errorCode = tag.errorCode;
    cell.errorPosition = tag.errorPosition;
    cell.isTimeOn = tag.isTimeOn;
    cell.comment = tag.comment;
    cell.errorLength = 0;
    return cell;
}

}  // namespace

LogDocument::LogDocument()
    : texts_(static_cast<size_t>(kColumnSlots) * kRowSlots),
      cells_(static_cast<size_t>(kColumnSlots) * kRowSlots),
      trailers_(kRowSlots)
{
}

LogDocument::~LogDocument() = default;

size_t LogDocument::slot(int column, int row) const
{
    return static_cast<size_t>(row) * kColumnSlots + static_cast<size_t>(column);
}

bool LogDocument::inSlots(int column, int row) const
{
    return column >= 0 && column < kColumnSlots && row >= 0 && row < kRowSlots;
}

// --- grid texts ----------------------------------------------------------

void LogDocument::setSize(int columns, int rows)
{
    columns = std::clamp(columns, 0, kColumnSlots);
    rows = std::clamp(rows, 0, kRowSlots);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            if (c >= columns || r >= rows)
                texts_[slot(c, r)].clear();
        }
    }
    columns_ = columns;
    rows_ = rows;
}

const std::string &LogDocument::text(int column, int row) const
{
    if (!inSlots(column, row))
        return kEmptyText;
    return texts_[slot(column, row)];
}

void LogDocument::setText(int column, int row, std::string text)
{
    if (!inSlots(column, row))
        throw std::out_of_range("grid cell outside the cell table");
    texts_[slot(column, row)] = std::move(text);
}

// --- cell records ----------------------------------------------------------

TagRecord *LogDocument::cellInfo(int column, int row)
{
    if (!inSlots(column, row))
        return nullptr;
    return cells_[slot(column, row)].get();
}

const TagRecord *LogDocument::cellInfo(int column, int row) const
{
    if (!inSlots(column, row))
        return nullptr;
    return cells_[slot(column, row)].get();
}

TagRecord &LogDocument::setCellInfo(int column, int row, TagRecord record)
{
    if (!inSlots(column, row) || column < 1 || row < 1)
        throw std::out_of_range("cell record outside the data cells");
    auto &entry = cells_[slot(column, row)];
    if (entry)
        *entry = std::move(record);
    else
        entry = std::make_unique<TagRecord>(std::move(record));
    return *entry;
}

void LogDocument::releaseCellInfo(int column, int row)
{
    if (inSlots(column, row))
        cells_[slot(column, row)].reset();
}

// --- record trailers ---------------------------------------------------------

const std::string &LogDocument::recordTrailer(int recordIndex) const
{
    if (recordIndex < 0 || recordIndex >= kRowSlots)
        return kEmptyText;
    return trailers_[static_cast<size_t>(recordIndex)];
}

void LogDocument::setRecordTrailer(int recordIndex, std::string text)
{
    if (recordIndex < 0 || recordIndex >= kRowSlots)
        throw std::out_of_range("record trailer outside the trailer table");
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

LogDocument::FillResult LogDocument::fillFrom(const AdifFile &file)
{
    if (!file.outcomeIs(ParseOk))
        return FillResult::FormatError;

    const int fields = file.fieldCount();
    const int records = file.recordCount();
    setDocumentCounts(fields, records);
    if (fields > kLoadFieldLimit || records > kLoadRecordLimit)
        return FillResult::TooBig;

    // Whatever an earlier document left behind goes first, so a fill never
    // mixes two logs even when the caller did not reset.
    clearGrid();
    clearRecordTrailers();
    setSize(fields + 1, records + 1);

    setText(0, 0, kRecordHeader);
    std::unordered_map<std::string, int> columnOfName;
    columnOfName.reserve(static_cast<size_t>(fields) * 2);
    for (int c = 0; c < fields; ++c) {
        const std::string &name = file.fieldNames()[static_cast<size_t>(c)];
        setText(c + 1, 0, name);
        columnOfName.emplace(upperText(name), c);
    }

    // Every stored tag is walked: a record that repeats fields must not push
    // later records out of the grid.
    const int tags = file.storedTagCount();
    int r = 0;
    bool numbered = false;
    for (int i = 0; i < tags; ++i) {
        const TagRecord &tag = file.tagAt(i);
        if (tag.kind == TagEndOfFile)
            break;
        if (tag.rawTag.empty())
            continue;
        if (tag.kind == TagEndOfRecord) {
            if (r < kRowSlots)
                trailers_[static_cast<size_t>(r)] = tag.value;
            ++r;
            numbered = false;
            continue;
        }
        if (r >= records)
            continue;  // after the last end-of-record marker: no row
        const auto found = columnOfName.find(AdifFile::nameOfTag(tag.rawTag));
        if (found == columnOfName.end())
            continue;  // a field named EOR has no column
        const int column = found->second + 1;
        const int row = r + 1;
        if (!numbered) {
            texts_[slot(0, row)] = std::to_string(row);
            numbered = true;
        }
        texts_[slot(column, row)] = tag.value;
        setCellInfo(column, row, cellRecordOf(tag));
    }

    documentOpen_ = true;
    return FillResult::Filled;
}

void LogDocument::clearGrid()
{
    const int lastColumn = std::min(columns_, kColumnSlots - 1);
    const int lastRow = std::min(rows_, kRowSlots - 1);
    for (int r = 0; r <= lastRow; ++r) {
        for (int c = 0; c <= lastColumn; ++c) {
            const size_t s = slot(c, r);
            texts_[s].clear();
            cells_[s].reset();
        }
    }
}

void LogDocument::showEmptyGrid()
{
    setSize(2, 2);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c)
            texts_[slot(c, r)].clear();
    }
}

void LogDocument::reset()
{
    documentOpen_ = false;
    unsavedChanges_ = false;
    clearGrid();
    clearRecordTrailers();
    showEmptyGrid();
}

// --- cell helpers --------------------------------------------------------------

TagRecord *LogDocument::EnsureCellRecord(int column, int row)
{
    if (!inSlots(column, row) || column < 1 || row < 1)
        return nullptr;
    if (TagRecord *existing = cellInfo(column, row))
        return existing;

    const int lastLoaded = std::min(recordCount_, kRowSlots - 1);
    const TagRecord *templateRecord = nullptr;
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *candidate = cellInfo(column, r);
        if (candidate && candidate->kind != TagNone) {
            templateRecord = candidate;
            break;
        }
    }
    if (!templateRecord)
        return nullptr;

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
    return &setCellInfo(column, row, std::move(created));
}

uint8_t LogDocument::columnStatus(int column) const
{
    const int lastLoaded = std::min(recordCount_, kRowSlots - 1);
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = cellInfo(column, r);
        if (record && record->kind != TagNone)
            return record->kind;
    }
    return TagNone;
}

uint8_t LogDocument::columnDataType(int column) const
{
    const int lastLoaded = std::min(recordCount_, kRowSlots - 1);
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = cellInfo(column, r);
        if (record && record->dataType != 6)
            return record->dataType;
    }
    return 6;
}

std::string LogDocument::columnFieldName(int column) const
{
    const int lastLoaded = std::min(recordCount_, kRowSlots - 1);
    for (int r = 1; r <= lastLoaded; ++r) {
        const TagRecord *record = cellInfo(column, r);
        if (record && !record->name.empty())
            return record->name;
    }
    return std::string();
}

bool LogDocument::HasLengthDiscrepancy() const
{
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const TagRecord *record = cells_[slot(c, r)].get();
            if (record && hasLengthDiscrepancy(*record))
                return true;
        }
    }
    return false;
}

bool LogDocument::hasLengthDiscrepancy(const TagRecord &record)
{
    return record.hasLength &&
           static_cast<int64_t>(record.value.size()) != static_cast<int64_t>(record.declaredLength);
}

bool LogDocument::hasComment(const TagRecord &record)
{
    return !trimText(record.comment).empty();
}

std::string LogDocument::NormalizeColumnHeader(int column)
{
    if (column < 0 || column >= columns_)
        return std::string();
    std::string header = trimText(upperText(texts_[slot(column, 0)]));
    texts_[slot(column, 0)] = header;
    return header;
}

bool LogDocument::ColumnNameExists(const std::string &name)
{
    for (int c = 0; c < columns_; ++c) {
        if (NormalizeColumnHeader(c) == name)
            return true;
    }
    return false;
}

// --- edits -----------------------------------------------------------------

int LogDocument::appendColumn(const TagRecord &templateRecord)
{
    if (columnLimitReached() || columns_ >= kColumnSlots || rows_ < 1)
        return -1;
    const int column = columns_;
    setSize(columns_ + 1, rows_);
    texts_[slot(column, 0)] = templateRecord.name;
    for (int r = 1; r < rows_; ++r) {
        setCellInfo(column, r, templateRecord);
        texts_[slot(column, r)] = templateRecord.value;
    }
    return column;
}

void LogDocument::clearColumnTexts(int column)
{
    if (column < 1 || column >= columns_)
        return;
    for (int r = 1; r < rows_; ++r)
        texts_[slot(column, r)].clear();
}

int LogDocument::appendBlankRow()
{
    if (rowLimitReached() || rows_ >= kRowSlots || columns_ < 1)
        return -1;
    const int row = rows_;
    setSize(columns_, rows_ + 1);
    texts_[slot(0, row)] = std::to_string(row);
    for (int c = 1; c < columns_; ++c)
        EnsureCellRecord(c, row);
    return row;
}

int LogDocument::appendRowSameAsPrevious(bool &noRowAbove)
{
    noRowAbove = false;
    if (rowLimitReached() || rows_ >= kRowSlots || columns_ < 1)
        return -1;
    const int row = rows_;
    setSize(columns_, rows_ + 1);
    texts_[slot(0, row)] = std::to_string(row);
    noRowAbove = row <= 1;
    for (int c = 1; c < columns_; ++c) {
        TagRecord *created = EnsureCellRecord(c, row);
        if (noRowAbove)
            continue;
        texts_[slot(c, row)] = texts_[slot(c, row - 1)];
        const TagRecord *above = cellInfo(c, row - 1);
        if (above && created) {
            created->comment = above->comment;
            created->value = above->value;
        }
    }
    return row;
}

void LogDocument::newProject()
{
    clearRecordTrailers();
    reset();
    setDocumentCounts(6, 2);
    documentOpen_ = true;
    setSize(6, 2);
    AddDefaultCell(1, 1, 3, "CALL", "<CALL>", "NONE", false);
    AddDefaultCell(2, 1, 0, "QSO_DATE", "<QSO_DATE>", "20010829", false);
    AddDefaultCell(3, 1, 3, "MODE", "<MODE>", "CW", false);
    AddDefaultCell(4, 1, 3, "BAND", "<BAND>", "160M", false);
    AddDefaultCell(5, 1, 3, "TIME_ON", "<TIME_ON>", "120000", true);
    setText(0, 0, kRecordHeader);
    setText(0, 1, "1");
}

void LogDocument::AddDefaultCell(int column, int row, uint8_t dataType, const std::string &name,
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
    record.errorCode = ParseOk;
    record.errorPosition = 0;
    record.errorLength = 0;
    record.rawTag = rawTag;
    setCellInfo(column, row, std::move(record));
    setText(column, row, value);
    setText(column, 0, name);
}

}  // namespace vaziduvu
