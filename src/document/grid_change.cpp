#include "document/grid_change.h"

#include "document/log_document.h"
#include "document/recovery_journal.h"

#include <algorithm>

namespace vaziduvu {

bool sameRecord(const TagRecord &a, const TagRecord &b)
{
    return a.kind == b.kind && a.hasLength == b.hasLength && a.declaredLength == b.declaredLength
        && a.hasType == b.hasType && a.dataType == b.dataType && a.isTimeOn == b.isTimeOn
        && a.name == b.name && a.value == b.value && a.errorCode == b.errorCode
        && a.errorPosition == b.errorPosition && a.errorLength == b.errorLength
        && a.rawTag == b.rawTag && a.comment == b.comment && a.valueOffset == b.valueOffset;
}

bool CellContent::operator==(const CellContent &other) const
{
    if (text != other.text || record.has_value() != other.record.has_value())
        return false;
    return !record || sameRecord(*record, *other.record);
}

bool GridShape::operator==(const GridShape &other) const
{
    return columns == other.columns && rows == other.rows && fields == other.fields
        && records == other.records;
}

GridRegion GridRegion::wholeGrid(const LogDocument &document)
{
    return {0, document.columnCount(), 0, document.rowCount()};
}

GridRegion GridRegion::column(const LogDocument &document, int column)
{
    return {column, column, 0, document.rowCount()};
}

GridChange GridChange::capture(const LogDocument &document, GridRegion region)
{
    GridChange change;
    region.firstColumn = std::max(region.firstColumn, 0);
    region.firstRow = std::max(region.firstRow, 0);
    region.lastColumn = std::min(region.lastColumn, document.cellTableColumns() - 1);
    region.lastRow = std::min(region.lastRow, document.cellTableRows() - 1);
    change.region_ = region;
    change.before_ = document.shape();
    if (region.lastColumn < region.firstColumn || region.lastRow < region.firstRow)
        return change;
    const size_t width = static_cast<size_t>(region.lastColumn - region.firstColumn + 1);
    const size_t height = static_cast<size_t>(region.lastRow - region.firstRow + 1);
    change.captured_.reserve(width * height);
    for (int r = region.firstRow; r <= region.lastRow; ++r) {
        for (int c = region.firstColumn; c <= region.lastColumn; ++c)
            change.captured_.push_back(document.cellContent(c, r));
        if (r >= 1)
            change.capturedTrailers_.push_back(document.recordTrailer(r - 1));
    }
    return change;
}

GridChange GridChange::fromJournal(LogDocument &document)
{
    GridChange change;
    std::vector<LogDocument::JournalEntry> kept = document.closeJournal(change.before_);
    change.after_ = document.shape();
    for (LogDocument::JournalEntry &entry : kept) {
        if (entry.row < 0) {
            std::string now = document.recordTrailer(entry.column);
            if (now != entry.trailerBefore)
                change.trailers_.push_back(
                    {entry.column, std::move(entry.trailerBefore), std::move(now)});
            continue;
        }
        CellContent now = document.cellContent(entry.column, entry.row);
        if (now != entry.before)
            change.cells_.push_back(
                {entry.column, entry.row, std::move(entry.before), std::move(now)});
    }
    return change;
}

void GridChange::finish(const LogDocument &document)
{
    after_ = document.shape();
    const GridRegion &region = region_;
    size_t at = 0;
    size_t trailerAt = 0;
    for (int r = region.firstRow; r <= region.lastRow && !captured_.empty(); ++r) {
        for (int c = region.firstColumn; c <= region.lastColumn; ++c, ++at) {
            CellContent &before = captured_[at];
            CellContent now = document.cellContent(c, r);
            if (now != before)
                cells_.push_back({c, r, std::move(before), std::move(now)});
        }
        if (r >= 1) {
            const std::string &now = document.recordTrailer(r - 1);
            std::string &before = capturedTrailers_[trailerAt++];
            if (now != before)
                trailers_.push_back({r - 1, std::move(before), now});
        }
    }
    captured_.clear();
    captured_.shrink_to_fit();
    capturedTrailers_.clear();
    capturedTrailers_.shrink_to_fit();
}

void GridChange::undo(LogDocument &document) const
{
    document.setShape(before_);
    for (auto edit = cells_.rbegin(); edit != cells_.rend(); ++edit)
        document.setCellContent(edit->column, edit->row, edit->before);
    for (const TrailerEdit &edit : trailers_)
        document.setRecordTrailer(edit.record, edit.before);
}

void GridChange::redo(LogDocument &document) const
{
    document.setShape(after_);
    for (const CellEdit &edit : cells_)
        document.setCellContent(edit.column, edit.row, edit.after);
    for (const TrailerEdit &edit : trailers_)
        document.setRecordTrailer(edit.record, edit.after);
}

void GridChange::absorb(const GridChange &later)
{
    for (const CellEdit &edit : later.cells_) {
        auto same = std::find_if(cells_.begin(), cells_.end(), [&](const CellEdit &mine) {
            return mine.column == edit.column && mine.row == edit.row;
        });
        if (same == cells_.end())
            cells_.push_back(edit);
        else
            same->after = edit.after;
    }
    for (const TrailerEdit &edit : later.trailers_) {
        auto same = std::find_if(trailers_.begin(), trailers_.end(), [&](const TrailerEdit &mine) {
            return mine.record == edit.record;
        });
        if (same == trailers_.end())
            trailers_.push_back(edit);
        else
            same->after = edit.after;
    }
    // Cells brought back to where they started are no change at all.
    cells_.erase(std::remove_if(cells_.begin(), cells_.end(),
                                [](const CellEdit &edit) { return edit.before == edit.after; }),
                 cells_.end());
    trailers_.erase(
        std::remove_if(trailers_.begin(), trailers_.end(),
                       [](const TrailerEdit &edit) { return edit.before == edit.after; }),
        trailers_.end());
    after_ = later.after_;
}

namespace {

void writeShape(RecordWriter &out, const GridShape &shape)
{
    for (const int value : {shape.columns, shape.rows, shape.fields, shape.records})
        out.i32(value);
}

bool readShape(RecordReader &in, GridShape &shape)
{
    return in.i32(shape.columns) && in.i32(shape.rows) && in.i32(shape.fields)
        && in.i32(shape.records) && shape.columns >= 0 && shape.rows >= 0;
}

void writeContent(RecordWriter &out, const CellContent &content)
{
    out.text(content.text);
    out.u8(content.record ? 1 : 0);
    if (!content.record)
        return;
    const TagRecord &record = *content.record;
    out.text(record.name);
    out.text(record.value);
    out.text(record.rawTag);
    out.text(record.comment);
    out.i32(record.declaredLength);
    out.i32(record.errorPosition);
    out.i32(record.errorLength);
    out.i32(record.valueOffset);
    out.u8(record.kind);
    out.u8(record.hasLength);
    out.u8(record.hasType);
    out.u8(record.dataType);
    out.u8(record.isTimeOn);
    out.u8(static_cast<uint8_t>(record.errorCode));
}

bool readFlag(RecordReader &in, bool &flag)
{
    uint8_t value = 0;
    if (!in.u8(value) || value > 1)
        return false;
    flag = value == 1;
    return true;
}

bool readContent(RecordReader &in, CellContent &content)
{
    bool hasRecord = false;
    if (!in.text(content.text) || !readFlag(in, hasRecord))
        return false;
    if (!hasRecord)
        return true;
    TagRecord record;
    uint8_t errorCode = 0;
    if (!in.text(record.name) || !in.text(record.value) || !in.text(record.rawTag)
        || !in.text(record.comment) || !in.i32(record.declaredLength)
        || !in.i32(record.errorPosition) || !in.i32(record.errorLength)
        || !in.i32(record.valueOffset) || !in.u8(record.kind) || !readFlag(in, record.hasLength)
        || !readFlag(in, record.hasType) || !in.u8(record.dataType)
        || !readFlag(in, record.isTimeOn) || !in.u8(errorCode))
        return false;
    record.errorCode = static_cast<ParseStatus>(errorCode);
    content.record = std::move(record);
    return true;
}

}  // namespace

void GridChange::writeTo(RecordWriter &out) const
{
    writeShape(out, before_);
    writeShape(out, after_);
    out.i32(static_cast<int32_t>(cells_.size()));
    for (const CellEdit &edit : cells_) {
        out.i32(edit.column);
        out.i32(edit.row);
        writeContent(out, edit.before);
        writeContent(out, edit.after);
    }
    out.i32(static_cast<int32_t>(trailers_.size()));
    for (const TrailerEdit &edit : trailers_) {
        out.i32(edit.record);
        out.text(edit.before);
        out.text(edit.after);
    }
}

std::optional<GridChange> GridChange::readFrom(RecordReader &in)
{
    GridChange change;
    int32_t count = 0;
    if (!readShape(in, change.before_) || !readShape(in, change.after_) || !in.i32(count)
        || count < 0)
        return std::nullopt;
    for (int32_t i = 0; i < count; ++i) {
        CellEdit edit;
        if (!in.i32(edit.column) || !in.i32(edit.row) || edit.column < 0 || edit.row < 0
            || !readContent(in, edit.before) || !readContent(in, edit.after))
            return std::nullopt;
        change.cells_.push_back(std::move(edit));
    }
    if (!in.i32(count) || count < 0)
        return std::nullopt;
    for (int32_t i = 0; i < count; ++i) {
        TrailerEdit edit;
        if (!in.i32(edit.record) || edit.record < 0 || !in.text(edit.before)
            || !in.text(edit.after))
            return std::nullopt;
        change.trailers_.push_back(std::move(edit));
    }
    return change;
}

}  // namespace vaziduvu
