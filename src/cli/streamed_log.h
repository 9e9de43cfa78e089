#pragma once

#include "adif/adif_batch_reader.h"
#include "cli/dump_command.h"
#include "document/log_document.h"
#include "document/open_log.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vaziduvu {

// A log that a command reads a batch of records at a time, in memory bounded
// by the batch, whatever the file's size. A first read goes over the whole
// file and decides what needs the whole log before anything is said: the
// outcome of the parse, the columns (every field name in the order a whole
// load gives them), the count of records and Classic's limits. Then each
// batch in turn becomes a document of its own, with the whole log's columns
// and its records as rows 1.., for the command to check or write.
class StreamedLog {
public:
    StreamedLog(std::string path, const CliOptions &options, std::ostream &err);

    // The first read. Loaded, FormatError (file() says how and where),
    // TooBig (Classic: too many fields or records) or Unreadable (out of
    // memory, said on `err` as openCommandLog says it).
    OpenStatus survey();
    // The file as the first read left it: the outcome, the header, the
    // counts; its text is only the last batch's.
    const AdifFile &file() const { return reader_.file(); }
    const std::vector<std::string> &columns() const { return columns_; }
    // What the whole log says of column c (1..): its template, summaries
    // and first value.
    const LogDocument::WholeLogColumn &wholeColumn(int column) const
    {
        return (*wholeColumns_)[static_cast<size_t>(column)];
    }
    // All of them, index: column.
    const std::vector<LogDocument::WholeLogColumn> &wholeColumns() const { return *wholeColumns_; }
    int records() const { return records_; }
    // True when a cell's value is not as long as its length says
    // (LogDocument::anyLengthDiscrepancy of the whole log as loaded).
    bool anyLengthDiscrepancy() const { return lengthDiscrepancy_; }

    // The second read: `each(document, rowOffset)` for every batch, the
    // document's row r being row r + rowOffset of the whole log. Stops when
    // `each` returns false; false then, or when the read failed. A heading
    // that `each` changed (the checks trim and upper-case it) comes changed
    // in every later batch, of this read and of the next, as one whole
    // document keeps it for the rows after and for the next file written.
    bool forEachBatch(const std::function<bool(LogDocument &, int)> &each);

    // Line and column (from 1) of a byte offset in the file, as
    // lineAndColumn gives them for the whole text. A place in the batch
    // being handed out is found in its text, the file is not read again.
    std::pair<int, int> lineAndColumn(int32_t offset);

    // Hands the file's bytes [from, to) to `each` a piece at a time; false
    // when they could not all be read.
    bool forEachPiece(size_t from, size_t to, const std::function<void(std::string_view)> &each);

private:
    // The line count at the start of each batch, kept as the second read
    // goes, so a place is found without the text before it.
    struct LineMark {
        size_t offset = 0;
        int line = 1;
        size_t lineStart = 0;
    };
    void markLines(const LoadedText &batch);
    void keepChangedHeadings(const LogDocument &batch);
    void learnColumns(const AdifFile &batch, bool last);
    void endRecord();
    void readRegion(size_t mark);

    std::string path_;
    const CliOptions &options_;
    std::ostream &err_;
    AdifBatchReader reader_;
    std::vector<std::string> columns_;
    int records_ = 0;
    bool lengthDiscrepancy_ = false;
    // The whole log's column facts, learnt by the first read.
    std::shared_ptr<std::vector<LogDocument::WholeLogColumn>> wholeColumns_;
    std::vector<std::pair<int, TagFields>> recordCells_;  // the record being read
    std::vector<LineMark> marks_;
    std::vector<std::optional<std::string>> changedHeadings_;  // by column
    // The line starts of the text from one mark to the next, read back
    // from the file when a place there is asked for.
    size_t regionMark_ = SIZE_MAX;
    std::vector<size_t> regionLineStarts_;
    // The line starts of the batch being handed out, from its text.
    size_t batchLinesBase_ = SIZE_MAX;
    size_t batchLinesSize_ = 0;
    std::vector<size_t> batchLineStarts_;
};

}  // namespace vaziduvu
