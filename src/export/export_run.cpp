#include "export/export_run.h"

#include "adif/text.h"
#include "document/log_document.h"
#include "export/current_checks.h"
#include "export/markup.h"
#include "export/streamed_file.h"
#include "export/trimmed_text.h"

#include <algorithm>
#include <unordered_map>

namespace vaziduvu {

RowWindow RowWindow::wholeOf(const LogDocument &document)
{
    const int last = document.rowCount() - 1;
    return {1, last, 0, last};
}

ExportRun::ExportRun(ExportFormat format, LogDocument &document, ExportHost &host)
    : format_(format)
    , document_(&document)
    , host_(host)
    , lastColumn_(document.columnCount() - 1)
    , omitEmptyTags_(format == ExportFormat::Adif && host.omitEmptyFieldTags())
    , summaries_(summarizeColumns())
    , gatePassed_(static_cast<size_t>(std::max(lastColumn_ + 1, 1)), false)
    , refusedColumns_(static_cast<size_t>(std::max(lastColumn_ + 2, 1)), false)
    , settled_(static_cast<size_t>(std::max(lastColumn_ + 2, 1)))
{
}

ExportRun::~ExportRun() = default;

std::vector<LogProblem> ExportRun::collectProblems()
{
    std::vector<LogProblem> problems;
    start(&problems);
    walk(CheckPass::Whole, RowWindow::wholeOf(*document_));
    problems_ = nullptr;
    return problems;
}

// The sizing pass over every cell, first of all the column names; then the
// writing pass, which feeds the format's sink.
bool ExportRun::passes()
{
    const RowWindow whole = RowWindow::wholeOf(*document_);
    if (!start() || !walk(CheckPass::Sizing, whole))
        return false;
    sizingDone();
    const std::unique_ptr<ExportSink> sink = makeSink();
    sink->begin(*document_, estimate_);
    if (!walk(CheckPass::Writing, whole, sink.get()))
        return false;
    sink->end();
    return true;
}

ExportText ExportRun::run()
{
    if (!passes())
        return {result_, {}};
    return {ExportResult::written(), std::move(output_.text)};
}

ExportResult ExportRun::writeTo(const std::string &path)
{
    const std::unique_ptr<StreamedExportFile> file = StreamedExportFile::open(path, host_);
    output_.file = file.get();
    if (!passes())
        return result_;  // an unnamed file goes with its descriptor
    if (!file)
        return writeExportFile(path, output_.text, host_);
    return file->finish(output_.text);
}

bool ExportRun::start(std::vector<LogProblem> *problems)
{
    problems_ = problems;
    latestYear_ = host_.latestYear();
    estimate_ = 0;
    useBatch(*document_);
    return namesAreWritable();
}

void ExportRun::useBatch(LogDocument &document)
{
    document_ = &document;
    current_.reset();
    if (currentMode())
        current_ = std::make_unique<CurrentChecks>(document, latestYear_);
}

bool ExportRun::walk(CheckPass pass, const RowWindow &window, ExportSink *sink)
{
    CellChecks checks(format_, *document_, current_.get(), latestYear_,
                      pass == CheckPass::Writing ? &settled_ : nullptr, window.rowOffset);
    const bool collecting = problems_ != nullptr;
    for (int row = window.first; row <= window.last; ++row) {
        const int shownRow = row + window.rowOffset;
        if (pass != CheckPass::Sizing && !host_.continueAfterRow(shownRow - 1, window.totalRows)) {
            if (collecting)
                return true;  // what was found so far
            result_ = ExportResult::stopped();
            return false;
        }
        bool rowWritten = false;
        for (int column = 1; column <= lastColumn_; ++column) {
            if (collecting && refusedColumns_[static_cast<size_t>(column)])
                continue;
            const bool bare = !collecting && bareAfterGate(column, row);
            // The sizing pass took every cell through the gate already.
            const TagRecord *record = bare ? &*summaryOf(column).blank
                : pass == CheckPass::Writing && gatePassed_[static_cast<size_t>(column)]
                ? cellRecord(column, row)
                : passGate(column, row);
            if (record == nullptr) {
                if (!collecting)
                    return false;
                refusedColumns_[static_cast<size_t>(column)] = true;  // said once for the column
                continue;
            }
            if (!bare && !checks.run(pass, *record, column, row, *this))
                return false;
            if (pass == CheckPass::Whole || !isWritten(*record, column, row))
                continue;
            rowWritten = true;
            if (sink == nullptr) {
                if (output_.file == nullptr)
                    estimate_ += cellEstimate(*record, column, row);
            } else if (bare) {
                sink->cell(column, {}, *record, shownRow, true);
            } else {
                const TrimmedText value(document_->text(column, row));
                sink->cell(column, value.view(), *record, shownRow, false);
            }
        }
        if (sink != nullptr)
            sink->endRecord(*document_, row);
        if (pass != CheckPass::Sizing)
            continue;
        host_.showProgress("Prep Row : " + std::to_string(shownRow), false);
        if (stopped(shownRow, window.totalRows))
            return false;
        if (rowWritten)
            estimate_ += rowEstimate(row);
    }
    return true;
}

std::unique_ptr<ExportSink> ExportRun::makeSink()
{
    std::vector<std::string> names(summaries_.size());
    for (size_t column = 0; column < summaries_.size(); ++column)
        names[column] = summaries_[column].writtenName;
    switch (format_) {
    case ExportFormat::Adif:
        return std::make_unique<AdifSink>(output_, std::move(names), host_);
    case ExportFormat::Xml:
        return std::make_unique<XmlSink>(output_, std::move(names), utf8Text());
    case ExportFormat::Html:
        break;
    }
    return std::make_unique<HtmlSink>(output_, lastColumn_, utf8Text());
}

void ExportRun::sizingDone()
{
    host_.showProgress("Working to finish the file writing operation ... ", true);
}

bool ExportRun::currentMode() const
{
    return document_->adifMode() == AdifMode::Current;
}

bool ExportRun::utf8Text() const
{
    return currentMode() && document_->textEncoding() == TextEncoding::Utf8;
}

std::vector<ExportRun::ColumnSummary> ExportRun::summarizeColumns() const
{
    std::vector<ColumnSummary> summaries(static_cast<size_t>(std::max(lastColumn_ + 1, 0)));
    for (int column = 1; column <= lastColumn_; ++column) {
        ColumnSummary &summary = summaries[static_cast<size_t>(column)];
        summary.status = document_->columnStatus(column);
        summary.dataType = document_->columnDataType(column);
        summary.fieldName = document_->columnFieldName(column);
        summary.writtenName = trimText(summary.fieldName);
        if (currentMode())
            summary.blank = document_->blankRecordFor(column);
    }
    return summaries;
}

std::string ExportRun::columnLabel(int column) const
{
    return "Column " + std::to_string(column) + " (\"" + std::string(document_->text(column, 0))
        + "\")";
}

// Two columns written under one name would merge into one field when the
// file is read again; an XML element needs an XML name.
bool ExportRun::namesAreWritable()
{
    std::unordered_map<std::string, int> columnOfName;
    for (int column = 1; column <= lastColumn_; ++column) {
        const std::string name = upperText(trimText(summaryOf(column).fieldName));
        if (name.empty())
            continue;  // the column gate refuses it with its own reason
        if (name == "EOR") {
            // Written as a field, it would read back as the end-of-record marker.
            if (!refuse(column,
                        columnLabel(column)
                            + " cannot be written: EOR is the end-of-record marker, "
                              "not a field name."))
                return false;
            continue;
        }
        const auto [earlier, added] = columnOfName.emplace(name, column);
        if (!added) {
            if (!refuse(column,
                        columnLabel(earlier->second) + " and " + columnLabel(column)
                            + " would both be written as " + name + "."))
                return false;
            continue;
        }
        if (format_ == ExportFormat::Xml && !isXmlName(trimText(summaryOf(column).fieldName))) {
            if (!refuse(column,
                        columnLabel(column) + " cannot be an XML element: \""
                            + trimText(summaryOf(column).fieldName) + "\" is not an XML name."))
                return false;
        }
    }
    return true;
}

// A cell gets a record when it has none; the export stops silently on a
// column without a usable record, a valid type or a field name. A name of
// blanks counts as none: trimmed, it would write tags no reader accepts.
const TagRecord *ExportRun::passGate(int column, int row)
{
    const TagRecord *record = cellRecord(column, row);
    if (record == nullptr)
        return refuseColumn(column, "has no cell the export can use");
    const ColumnSummary &summary = summaryOf(column);
    if (summary.status == TagNone)
        return refuseColumn(column, "has no field tag the export can use");
    if (summary.dataType == TypeInvalid)
        return refuseColumn(column, "has no valid data type");
    if (summary.writtenName.empty())
        return refuseColumn(column, "has no field name (only blanks)");
    gatePassed_[static_cast<size_t>(column)] = true;
    return record;
}

// The record of a cell. A blank cell gets one from its column's template:
// stored in the document (where it stays) in the Classic mode; in the
// Current mode, where cells hold only what is present, the column's one
// blank record serves every blank cell.
const TagRecord *ExportRun::cellRecord(int column, int row)
{
    // A cell still as loaded is read into the scratch record, which serves
    // until the next cell is asked for; its name and value stay out of it
    // (the checks and writers read the grid's text).
    if (const TagRecord *stored
        = document_->recordAt(column, row, scratch_, LogDocument::RecordTexts::Without))
        return stored;
    if (!currentMode())
        return document_->ensureCellRecord(column, row);
    if (row < 1 || column < 1)
        return nullptr;
    const ColumnSummary &summary = summaryOf(column);
    return summary.blank ? &*summary.blank : nullptr;
}

// The ADIF tag omission rule; the other formats write every cell.
bool ExportRun::isWritten(const TagRecord &record, int column, int row) const
{
    if (!omitEmptyTags_)
        return true;
    return !TrimmedText(document_->text(column, row)).view().empty()
        || !TrimmedText(record.comment).view().empty();
}

size_t ExportRun::cellEstimate(const TagRecord &record, int column, int row) const
{
    const std::string_view text = document_->text(column, row);
    switch (format_) {
    case ExportFormat::Adif:
        return kAdifTagOverhead + summaryOf(column).fieldName.size() + text.size()
            + record.comment.size();
    case ExportFormat::Xml:
        return 5 + 2 * summaryOf(column).fieldName.size() + escapedSize(text);
    case ExportFormat::Html:
        return kHtmlOddCellOpen.size() + escapedSize(text) + kHtmlCellClose.size() + 1;
    }
    return 0;
}

size_t ExportRun::rowEstimate(int row) const
{
    switch (format_) {
    case ExportFormat::Adif:
        return kAdifEndOfRecord.size()
            + std::max(kAdifRowEnd.size(), document_->recordTrailer(row - 1).size());
    case ExportFormat::Xml:
        return kXmlRowOpen.size() + kXmlRowClose.size();
    case ExportFormat::Html:
        return kHtmlRowOpen.size() + kHtmlRowClose.size() + 1;
    }
    return 0;
}

// True when the user asked to stop; the export then ends Stopped.
bool ExportRun::stopped(int rowsDone, int rows)
{
    if (host_.continueAfterRow(rowsDone, rows))
        return false;
    result_ = ExportResult::stopped();
    return true;
}

// A refusal: the export's result, or one more problem of a log check
// (which goes on; the return value says whether to).
bool ExportRun::refuse(int column, const std::string &reason)
{
    if (problems_) {
        problems_->push_back({column, 0, reason});
        return true;
    }
    result_ = ExportResult::refused(reason);
    return false;
}

const TagRecord *ExportRun::refuseColumn(int column, const std::string &why)
{
    refuse(column, columnLabel(column) + " " + why + ".");
    return nullptr;
}

bool ExportRun::report(const std::string &message, int column, int shownRow)
{
    if (problems_) {
        problems_->push_back({column, shownRow, message});
        return true;
    }
    host_.showMessage("Problem:", message);
    result_ = ExportResult::checkFailed();
    host_.selectCell(column, shownRow);
    return false;
}

}  // namespace vaziduvu
