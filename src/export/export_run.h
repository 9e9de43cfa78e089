#pragma once

// One run of an export or a log check: the column gate, the one walk over
// the cells (its checks in their one order, see CellChecks), the size
// estimate, and a sink per format (export_sinks.h) that the walk feeds.
// Only writers.cpp uses it for whole documents; everyone else goes through
// writers.h.

#include "adif/field_catalogue.h"
#include "adif/tag_record.h"
#include "document/log_document.h"
#include "export/cell_checks.h"
#include "export/export_sinks.h"
#include "export/writers.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

class LogDocument;
class CurrentChecks;

// Room for "<", ":", up to ten length digits, ":", the letter and ">".
inline constexpr size_t kAdifTagOverhead = 16;

// The rows a walk goes over: rows `first` to `last` of the document, shown
// to the user (messages, selected cells, progress) as `rowOffset` more;
// `totalRows` is the last row shown of the whole log.
struct RowWindow {
    int first = 1;
    int last = 0;
    int rowOffset = 0;
    int totalRows = 0;

    static RowWindow wholeOf(const LogDocument &document);
};

class ExportRun final : private ProblemReport {
public:
    ExportRun(ExportFormat format, LogDocument &document, ExportHost &host);
    ~ExportRun();
    ExportRun(const ExportRun &) = delete;
    ExportRun &operator=(const ExportRun &) = delete;

    // Every problem an export would meet, without stopping at the first:
    // the same checks, in the same order, on every cell.
    std::vector<LogProblem> collectProblems();

    // The whole export text, built in memory.
    ExportText run();

    // The export written to its file. The text goes to the file as it is
    // built where the file can be written so (the file gets its name only
    // if every check passes); elsewhere it is built whole and then written,
    // and the file's refusal speaks only after every check has.
    ExportResult writeTo(const std::string &path);

    // The pieces, for a caller that walks a log in batches of rows, each
    // batch a document with the same columns as the one the run was made
    // with. start() once: it asks the latest year and checks the column
    // names, the column gate's outcome for every batch (with `problems`
    // set, every problem is collected there instead of stopping the run).
    // useBatch() makes a document the one the next walks read. walk() runs
    // one pass's checks on the window's cells, feeding the written cells to
    // `sink` when there is one, or adding to the size estimate in the
    // sizing pass. False when the run stopped: result() says why.
    bool start(std::vector<LogProblem> *problems = nullptr);
    void useBatch(LogDocument &document);
    bool walk(CheckPass pass, const RowWindow &window, ExportSink *sink = nullptr);
    // The sink of the run's format, writing to text().
    std::unique_ptr<ExportSink> makeSink();
    // The end of the sizing pass, as the user is told of it.
    void sizingDone();
    size_t estimate() const { return estimate_; }
    SinkText &text() { return output_; }
    const ExportResult &result() const { return result_; }

private:
    // What a column's records say of it, worked out once, as the run starts
    // (columns 1 to last): a whole logbook's rows are not walked again for
    // every cell. Records made for blank cells copy the column's template,
    // so the answers never change during a run.
    struct ColumnSummary {
        uint8_t status = TagNone;
        uint8_t dataType = 6;
        std::string fieldName;
        std::string writtenName;  // the field name trimmed, as tags and elements carry it
        std::optional<TagRecord> blank;
    };

    bool currentMode() const;
    bool utf8Text() const;
    const ColumnSummary &summaryOf(int column) const
    {
        return summaries_[static_cast<size_t>(column)];
    }
    std::vector<ColumnSummary> summarizeColumns() const;
    std::string columnLabel(int column) const;
    bool namesAreWritable();
    const TagRecord *passGate(int column, int row);
    // A cell holding nothing, in the Current mode (which has its checks),
    // once its column has passed the gate: it takes the column's blank
    // record and passes every check (each starts from its empty text, and
    // none changes it), so the checks are not run on the empty cells of a
    // whole logbook. Asked of every cell of every pass.
    bool bareAfterGate(int column, int row) const
    {
        return current_ != nullptr && gatePassed_[static_cast<size_t>(column)]
            && document_->isBare(column, row) && summaryOf(column).blank;
    }
    const TagRecord *cellRecord(int column, int row);
    bool isWritten(const TagRecord &record, int column, int row) const;
    size_t cellEstimate(const TagRecord &record, int column, int row) const;
    size_t rowEstimate(int row) const;
    bool passes();
    bool stopped(int rowsDone, int rows);

    bool refuse(int column, const std::string &reason);
    const TagRecord *refuseColumn(int column, const std::string &why);
    bool report(const std::string &message, int column, int shownRow) override;

    const ExportFormat format_;
    LogDocument *document_;
    ExportHost &host_;
    const int lastColumn_;
    const bool omitEmptyTags_;  // the ADIF tag omission rule is on (asked once a run)
    std::vector<ColumnSummary> summaries_;
    std::vector<bool> gatePassed_;      // columns whose gate a cell has passed
    std::vector<bool> refusedColumns_;  // columns a log check has refused (said once)
    std::vector<CellChecks::Settled> settled_;
    ExportResult result_;
    TagRecord scratch_;  // the record of a cell still as loaded (cellRecord)
    int latestYear_ = 0;
    size_t estimate_ = 0;
    SinkText output_;
    std::vector<LogProblem> *problems_ = nullptr;  // set while a log check collects
    std::unique_ptr<CurrentChecks> current_;       // in the Current ADIF mode only
};

}  // namespace vaziduvu
