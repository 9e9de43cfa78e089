// The packed cell store: slots, loaded and owned cells, grid texts, cell
// records and record trailers.
#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>

namespace vaziduvu {

namespace {

const std::string kEmptyText;

}  // namespace

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
        codes.reserve(static_cast<size_t>(stride) * storedRows_);
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
            // Grown by a copy into storage reserved once for all the rows.
            std::vector<uint16_t> codes;
            codes.reserve(static_cast<size_t>(stride_) * storedRows);
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
    // A walk over a whole logbook reuses one scratch record: a text already
    // there (the name of the column, the usual blank comment) is not copied again.
    const auto keep = [](std::string &kept, std::string_view text) {
        if (kept != text)
            kept.assign(text.data(), text.size());
    };
    if (texts == RecordTexts::With) {
        keep(record.name, loaded_->tagNames[static_cast<size_t>(tag.nameIndex)]);
        keep(record.value, loaded_->valueOf(tag));
    } else {
        record.name.clear();
        record.value.clear();
    }
    record.errorCode = ParseStatus::Ok;
    record.errorPosition = 0;
    record.isTimeOn = tag.isTimeOn;
    keep(record.comment, loaded_->commentOf(tag));
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

}  // namespace vaziduvu
