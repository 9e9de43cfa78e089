#pragma once

// Reads bytes whole and a batch at a time and says where the two differ:
// the batched read must give every tag, count and outcome of the whole load.
// Shared by the reader's tests and its fuzz target.

#include "adif/adif_batch_reader.h"
#include "adif/adif_file.h"

#include <string>
#include <string_view>

namespace vaziduvu {

// Empty when the batched read (batches of `records`, windows of `chunk`
// bytes) matches the whole load; otherwise what differs first.
inline std::string batchedReadDifference(std::string_view bytes, AdifMode mode, int records,
                                         size_t chunk)
{
    AdifFile whole;
    whole.setMode(mode);
    if (!whole.loadFromBytes(bytes))
        return {};
    AdifBatchReader batched(mode);
    batched.setChunkSize(chunk);
    if (!batched.openBytes(bytes))
        return "the batched read ran out of memory";
    int slot = 0;
    while (batched.next(records)) {
        const AdifFile &batch = batched.file();
        if (batched.firstSlot() != slot)
            return "batch starts at slot " + std::to_string(batched.firstSlot()) + ", not "
                + std::to_string(slot);
        for (int i = 0; i < batch.storedTagCount(); ++i, ++slot) {
            const TagFields a = whole.storedTag(slot);
            const TagFields b = batch.storedTag(i);
            const std::string at = "tag " + std::to_string(slot);
            if (slot >= whole.storedTagCount())
                return at + " is not in the whole load";
            if (a.tagOffset != b.tagOffset || a.valueLength != b.valueLength
                || a.commentLength != b.commentLength || a.declaredLength != b.declaredLength
                || a.nameIndex != b.nameIndex || a.tagLength != b.tagLength || a.kind != b.kind
                || a.dataType != b.dataType || a.hasLength != b.hasLength || a.hasType != b.hasType
                || a.isTimeOn != b.isTimeOn)
                return at + " differs";
            if (whole.valueOf(a) != batch.valueOf(b) || whole.commentOf(a) != batch.commentOf(b)
                || whole.rawTagOf(a) != batch.rawTagOf(b))
                return at + ": its text differs";
        }
        if (batch.recordCount() > 0 && records > 0 && !batched.finished()) {
            const TagFields last = batch.storedTag(batch.storedTagCount() - 1);
            if (last.kind != TagEndOfRecord)
                return "a batch ends inside a record";
        }
    }
    const AdifFile &end = batched.file();
    if (slot != whole.storedTagCount())
        return std::to_string(slot) + " tags, not " + std::to_string(whole.storedTagCount());
    const ParseResult a = whole.result();
    const ParseResult b = end.result();
    if (a.status != b.status || a.position != b.position || a.length != b.length)
        return "outcome " + std::to_string(static_cast<int>(b.status)) + " at "
            + std::to_string(b.position) + ", not " + std::to_string(static_cast<int>(a.status))
            + " at " + std::to_string(a.position);
    if (whole.recordCount() != end.recordCount() || whole.lastRecordStart() != end.lastRecordStart()
        || whole.leftBracketCount() != end.leftBracketCount()
        || whole.rightBracketCount() != end.rightBracketCount()
        || whole.lineEndCountedValues() != end.lineEndCountedValues()
        || whole.firstLineEndCountedValue() != end.firstLineEndCountedValue()
        || whole.headerExpected() != end.headerExpected())
        return "counts differ";
    if (whole.headerText() != end.headerText() || whole.textEncoding() != end.textEncoding()
        || whole.fieldNames() != end.fieldNames() || whole.fileSize() != end.fileSize())
        return "header, encoding or names differ";
    if (whole.tagNames() != end.tagNames())
        return "tag names differ";
    return {};
}

}  // namespace vaziduvu
