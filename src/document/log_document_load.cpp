// Filling the document from a loaded file, and emptying it again.
#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

#include <algorithm>
#include <new>

namespace vaziduvu {

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
        const FillResult result = fill(file, file.fieldNames(), records, progress);
        if (result == FillResult::Cancelled)
            reset();
        return result;
    } catch (const std::bad_alloc &) {
        reset();
        return FillResult::TooBig;
    }
}

LogDocument::FillResult LogDocument::fillFromBatch(const AdifFile &batch,
                                                   const std::vector<std::string> &columns,
                                                   int records)
{
    textEncoding_ = batch.textEncoding();
    setDocumentCounts(static_cast<int>(columns.size()), records);
    try {
        return fill(batch, columns, records, nullptr);
    } catch (const std::bad_alloc &) {
        reset();
        return FillResult::TooBig;
    }
}

LogDocument::FillResult LogDocument::fill(const AdifFile &file,
                                          const std::vector<std::string> &names, int records,
                                          Progress *progress)
{
    constexpr int kProgressRows = 1024;
    const int fields = static_cast<int>(names.size());
    // Whatever an earlier document left behind goes first, so a fill never
    // mixes two logs even when the caller did not reset.
    clearGrid();
    clearRecordTrailers();
    setSize(fields + 1, records + 1);

    setText(0, 0, kRecordHeading);
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
        const StoredTag tag = loadedTags_[i];
        if (tag.role() == StoredTag::EndOfFile)
            break;
        if (tag.role() == StoredTag::Failed)
            continue;
        if (tag.role() == StoredTag::EndOfRecord) {
            if (r < storedRows_)
                trailers_[static_cast<size_t>(r)] = loaded_->valueAt(i);
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
    wholeLogColumns_.reset();
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

}  // namespace vaziduvu
