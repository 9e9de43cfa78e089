// The document's shared parts: construction, what the cells of a column
// say of it, and the edits of the grid's commands. The packed cell store,
// the load, the row and column moves and the change journal have files of
// their own (log_document_*.cpp).
#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

#include <algorithm>
#include <string_view>

namespace vaziduvu {

LogDocument::LogDocument()
{
    reserveCells(1, 1);
}

LogDocument::~LogDocument() = default;

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
    if (const WholeLogColumn *whole = wholeLogColumn(column))
        return whole->blank;
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

    return blankLike(*templateRecord);
}

TagRecord LogDocument::blankLike(const TagRecord &record)
{
    TagRecord created;
    created.kind = record.kind;
    created.hasLength = record.hasLength;
    created.declaredLength = record.declaredLength;
    created.hasType = record.hasType;
    created.dataType = record.dataType;
    created.isTimeOn = record.isTimeOn;
    created.name = record.name;
    created.errorCode = record.errorCode;
    created.errorPosition = record.errorPosition;
    created.errorLength = record.errorLength;
    created.rawTag = record.rawTag;
    return created;
}

uint8_t LogDocument::columnStatus(int column) const
{
    if (const WholeLogColumn *whole = wholeLogColumn(column))
        return whole->status;
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
    if (const WholeLogColumn *whole = wholeLogColumn(column))
        return whole->dataType;
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
    if (const WholeLogColumn *whole = wholeLogColumn(column))
        return whole->fieldName;
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
            if (loaded_->lengthDiffers(cell - 1))
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
    setText(0, 0, kRecordHeading);
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
