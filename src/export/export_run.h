#pragma once

// One run of an export or a log check over the grid: the column gate, the
// checks in their one order, the size estimate and the three formats'
// writers (export_formats.cpp). Only writers.cpp and export_formats.cpp use
// it; everyone else goes through writers.h.

#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/log_document.h"
#include "export/current_checks.h"
#include "export/markup.h"
#include "export/streamed_file.h"
#include "export/trimmed_text.h"
#include "export/value_checks.h"
#include "export/writers.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vaziduvu {

// Room for "<", ":", up to ten length digits, ":", the letter and ">".
inline constexpr size_t kAdifTagOverhead = 16;

class ExportRun {
public:
    ExportRun(ExportFormat format, LogDocument &document, ExportHost &host)
        : format_(format)
        , document_(document)
        , host_(host)
        , lastColumn_(document.columnCount() - 1)
        , lastRow_(document.rowCount() - 1)
        , omitEmptyTags_(format == ExportFormat::Adif && host.omitEmptyFieldTags())
        , gatePassed_(static_cast<size_t>(std::max(lastColumn_ + 1, 1)), false)
    {
        summaries_ = summarizeColumns();
    }

    // Every problem an export would meet, without stopping at the first:
    // the same checks, in the same order, on every cell.
    std::vector<LogProblem> collectProblems()
    {
        std::vector<LogProblem> problems;
        problems_ = &problems;
        latestYear_ = host_.latestYear();
        startCurrentChecks();
        namesAreWritable();
        std::vector<bool> refused(static_cast<size_t>(lastColumn_ + 2), false);
        for (int row = 1; row <= lastRow_ && host_.continueAfterRow(row - 1, lastRow_); ++row) {
            for (int column = 1; column <= lastColumn_; ++column) {
                if (refused[static_cast<size_t>(column)])
                    continue;
                const TagRecord *record = passGate(column, row);
                if (record == nullptr) {
                    refused[static_cast<size_t>(column)] = true;  // said once for the column
                    continue;
                }
                carriable(*record, column, row);
                for (const std::string &problem :
                     cellProblems(document_, current_.get(), *record, column, row, latestYear_,
                                  format_ == ExportFormat::Adif))
                    fail(problem, column, row);
            }
        }
        problems_ = nullptr;
        return problems;
    }

    // The whole export text, built in memory.
    ExportText run()
    {
        if (!sizingPass() || !writingPass())
            return {result_, {}};
        return {ExportResult::written(), std::move(out_)};
    }

    // The export written to its file. The text goes to the file as it is
    // built where the file can be written so (the file gets its name only
    // if every check passes); elsewhere it is built whole and then written,
    // and the file's refusal speaks only after every check has.
    ExportResult writeTo(const std::string &path)
    {
        const std::unique_ptr<StreamedExportFile> file = StreamedExportFile::open(path, host_);
        file_ = file.get();
        if (!sizingPass() || !writingPass())
            return result_;  // an unnamed file goes with its descriptor
        if (!file)
            return writeExportFile(path, out_, host_);
        return file->finish(out_);
    }

private:
    bool currentMode() const { return document_.adifMode() == AdifMode::Current; }
    bool utf8Text() const
    {
        return currentMode() && document_.textEncoding() == TextEncoding::Utf8;
    }

    void startCurrentChecks()
    {
        if (currentMode())
            current_ = std::make_unique<CurrentChecks>(document_, latestYear_);
    }

    // A cell gets a record when it has none; the export stops silently on a
    // column without a usable record, a valid type or a field name. A name of
    // blanks counts as none: trimmed, it would write tags no reader accepts.
    const TagRecord *passGate(int column, int row)
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

    // A cell holding nothing, in the Current mode, once its column has
    // passed the gate: it takes the column's blank record and passes every
    // check (each starts from its empty text, and none changes it), so the
    // checks are not run on the empty cells of a whole logbook.
    bool bareAfterGate(int column, int row) const
    {
        return currentMode() && gatePassed_[static_cast<size_t>(column)]
            && document_.isBare(column, row) && summaryOf(column).blank;
    }
    const TagRecord *blankOf(int column) const { return &*summaryOf(column).blank; }
    // The ADIF text of such a cell, as the writing pass would build it.
    const std::string &bareAdifTag(int column) const
    {
        ColumnSummary &summary = summaryOf(column);
        if (summary.bareAdifTag.empty())
            appendAdifTag(summary.bareAdifTag, summary.writtenName, {}, *summary.blank);
        return summary.bareAdifTag;
    }

    // One ADIF field: its tag with the value's length (and the cell's own
    // type letter), the value and the comment.
    static void appendAdifTag(std::string &out, const std::string &name, std::string_view value,
                              const TagRecord &record)
    {
        out += '<';
        out += name;
        out += ':';
        out += std::to_string(value.size());
        if (record.hasType) {
            out += ':';
            out += typeLetterOf(record.dataType);
        }
        out += '>';
        out += value;
        out += record.comment;
    }

    std::string columnLabel(int column) const
    {
        return "Column " + std::to_string(column) + " (\"" + std::string(document_.text(column, 0))
            + "\")";
    }

    // Two columns written under one name would merge into one field when
    // the file is read again; an XML element needs an XML name.
    bool namesAreWritable()
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

    // A refusal: the export's result, or one more problem of a log check
    // (which goes on; the return value says whether to).
    bool refuse(int column, const std::string &reason)
    {
        if (problems_) {
            problems_->push_back({column, 0, reason});
            return true;
        }
        result_ = ExportResult::refused(reason);
        return false;
    }

    const TagRecord *refuseColumn(int column, const std::string &why)
    {
        refuse(column, columnLabel(column) + " " + why + ".");
        return nullptr;
    }

    // Records of the writing pass: the sizing pass has created them all.
    const TagRecord *recordOf(int column, int row) { return cellRecord(column, row); }

    // The record of a cell. A blank cell gets one from its column's template:
    // stored in the document (where it stays) in the Classic mode; in the
    // Current mode, where cells hold only what is present, the column's one
    // blank record serves every blank cell.
    const TagRecord *cellRecord(int column, int row)
    {
        // A cell still as loaded is read into the scratch record, which
        // serves until the next cell is asked for; its name and value stay
        // out of it (the checks and writers read the grid's text).
        if (const TagRecord *stored
            = document_.recordAt(column, row, scratch_, LogDocument::RecordTexts::Without))
            return stored;
        if (document_.adifMode() != AdifMode::Current)
            return document_.ensureCellRecord(column, row);
        if (row < 1 || column < 1)
            return nullptr;
        ColumnSummary &summary = summaryOf(column);
        return summary.blank ? &*summary.blank : nullptr;
    }

    // What a column's records say of it, worked out once, as the run starts
    // (columns 1 to last): a whole
    // logbook's rows are not walked again for every cell. Records made for
    // blank cells copy the column's template, so the answers never change
    // during a run.
    struct ColumnSummary {
        uint8_t status = TagNone;
        uint8_t dataType = 6;
        std::string fieldName;
        std::string writtenName;  // the field name trimmed, as tags and elements carry it
        std::string bareAdifTag;  // the ADIF text of a cell holding nothing; empty: not made yet
        std::optional<TagRecord> blank;
    };

    ColumnSummary &summaryOf(int column) const { return summaries_[static_cast<size_t>(column)]; }

    std::vector<ColumnSummary> summarizeColumns() const
    {
        std::vector<ColumnSummary> summaries(static_cast<size_t>(lastColumn_ + 1));
        for (int column = 1; column <= lastColumn_; ++column) {
            ColumnSummary &summary = summaries[static_cast<size_t>(column)];
            summary.status = document_.columnStatus(column);
            summary.dataType = document_.columnDataType(column);
            summary.fieldName = document_.columnFieldName(column);
            summary.writtenName = trimText(summary.fieldName);
            if (document_.adifMode() == AdifMode::Current)
                summary.blank = document_.blankRecordFor(column);
        }
        return summaries;
    }

    bool fail(const std::string &message, int column, int row)
    {
        if (problems_) {
            problems_->push_back({column, row, message});
            return false;
        }
        host_.showMessage("Problem:", message);
        result_ = ExportResult::checkFailed();
        host_.selectCell(column, row);
        return false;
    }

    std::string cellLabel(int column, int row) const
    {
        return "row " + std::to_string(row) + ", column " + trimText(document_.text(column, 0));
    }

    // What the file format itself cannot carry: a bracket in an ADIF value
    // or comment would end the tag early (and could start a record nobody
    // logged); control characters are no XML or HTML text.
    bool carriable(const TagRecord &record, int column, int row)
    {
        const std::string_view text = document_.text(column, row);
        if (format_ == ExportFormat::Adif && currentMode()) {
            // The value's length delimits it; the comment stands between tags.
            if (record.comment.find_first_of("<>") != std::string::npos)
                return fail("The comment of the cell at " + cellLabel(column, row)
                                + " holds < or >, which would break the tags of the ADIF file.",
                            column, row);
            return true;
        }
        if (format_ == ExportFormat::Adif) {
            if (text.find_first_of("<>") != std::string::npos
                || record.comment.find_first_of("<>") != std::string::npos)
                return fail("The cell at " + cellLabel(column, row)
                                + " holds < or >, which would break the tags of the ADIF file.",
                            column, row);
            return true;
        }
        if (const char control = forbiddenControl(text))
            return fail("The cell at " + cellLabel(column, row)
                            + " holds a control character (code "
                            + std::to_string(static_cast<int>(static_cast<unsigned char>(control)))
                            + ") that an XML or HTML file cannot hold.",
                        column, row);
        return true;
    }

    bool sizingChecks(const TagRecord &record, int column, int row)
    {
        if (!carriable(record, column, row))
            return false;
        if (current_) {
            if (auto problem = current_->formatProblem(record, row, column))
                return fail(*problem, column, row);
            return true;
        }
        if (!checkDate(document_, record, row, column, latestYear_))
            return fail(kDateCheckMessage, column, row);
        if (!checkTime(document_, record, row, column))
            return fail(kTimeCheckMessage, column, row);
        if (!checkNumber(document_, record, row, column))
            return fail(kNumberCheckMessage, column, row);
        return true;
    }

    bool writingChecks(const TagRecord &record, int column, int row)
    {
        if (current_) {
            if (auto problem = current_->valueProblem(record, row, column))
                return fail(*problem, column, row);
            return true;
        }
        if (!checkDate(document_, record, row, column, latestYear_))
            return fail(kDateCheckMessage, column, row);
        // Once a column has shown a non-empty cell its heading is normalised
        // and only the one enumerated check that may apply to it needs to
        // run; every other one passes it, as running it would show.
        ColumnChecks &known = columnChecks_[static_cast<size_t>(column)];
        if (known.settled) {
            if (known.check && !checkEnumerated(*known.check, document_, record, row, column))
                return fail(enumeratedCheckMessage(*known.check, format_ == ExportFormat::Adif),
                            column, row);
            return true;
        }
        for (EnumeratedCheck check : kEnumeratedChecks) {
            if (!checkEnumerated(check, document_, record, row, column))
                return fail(enumeratedCheckMessage(check, format_ == ExportFormat::Adif), column,
                            row);
        }
        if (!TrimmedText(document_.text(column, row)).view().empty()) {
            known.settled = true;
            known.check = enumeratedCheckFor(document_.text(column, 0));
        }
        return true;
    }

    // True when the user asked to stop; the export then ends Stopped.
    bool stopped(int rowsDone)
    {
        if (host_.continueAfterRow(rowsDone, lastRow_))
            return false;
        result_ = ExportResult::stopped();
        return true;
    }

    struct ColumnChecks {
        bool settled = false;
        std::optional<EnumeratedCheck> check;
    };

    // The writing pass's record of a cell once its checks passed; nullptr
    // when a check failed (and was reported).
    const TagRecord *checkedRecord(int column, int row)
    {
        const TagRecord *record = recordOf(column, row);
        if (record == nullptr || !writingChecks(*record, column, row))
            return nullptr;
        return record;
    }

    // The ADIF tag omission rule; the other formats write every cell.
    bool isWritten(const TagRecord &record, int column, int row) const
    {
        if (!omitEmptyTags_)
            return true;
        return !TrimmedText(document_.text(column, row)).view().empty()
            || !TrimmedText(record.comment).view().empty();
    }

    size_t cellEstimate(const TagRecord &record, int column, int row) const
    {
        const std::string_view text = document_.text(column, row);
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

    size_t rowEstimate(int row) const
    {
        switch (format_) {
        case ExportFormat::Adif:
            return kAdifEndOfRecord.size()
                + std::max(kAdifRowEnd.size(), document_.recordTrailer(row - 1).size());
        case ExportFormat::Xml:
            return kXmlRowOpen.size() + kXmlRowClose.size();
        case ExportFormat::Html:
            return kHtmlRowOpen.size() + kHtmlRowClose.size() + 1;
        }
        return 0;
    }

    // The checks of the sizing pass on every cell, first of all the column
    // names; the size of a text built in memory.
    bool sizingPass()
    {
        latestYear_ = host_.latestYear();
        startCurrentChecks();
        if (!namesAreWritable())
            return false;
        estimate_ = 0;
        for (int row = 1; row <= lastRow_; ++row) {
            bool rowHadCell = false;
            for (int column = 1; column <= lastColumn_; ++column) {
                const bool bare = bareAfterGate(column, row);
                const TagRecord *record = bare ? blankOf(column) : passGate(column, row);
                if (record == nullptr)
                    return false;
                if (!bare && !sizingChecks(*record, column, row))
                    return false;
                if (isWritten(*record, column, row)) {
                    if (file_ == nullptr)
                        estimate_ += cellEstimate(*record, column, row);
                    rowHadCell = true;
                }
            }
            host_.showProgress("Prep Row : " + std::to_string(row), false);
            if (stopped(row))
                return false;
            if (rowHadCell)
                estimate_ += rowEstimate(row);
        }
        host_.showProgress("Working to finish the file writing operation ... ", true);
        return true;
    }

    bool writingPass()
    {
        switch (format_) {
        case ExportFormat::Adif:
            return writeAdif();
        case ExportFormat::Xml:
            return writeXml();
        case ExportFormat::Html:
            return writeHtml();
        }
        return false;
    }

    // At the end of a row: a file being written takes the text grown so far.
    void handOnText()
    {
        if (file_ != nullptr && out_.size() >= StreamedExportFile::kPieceSize)
            file_->write(out_);
    }

    void reserveText(size_t size)
    {
        if (file_ == nullptr)
            out_.reserve(size);
    }

    bool writeAdif();
    bool writeXml();
    // Heading row first (it normalises the grid's headings), then one table
    // row per record; the page ends right after the last record's row, or
    // after the headings when there is none.
    bool writeHtml();

    ExportFormat format_;
    LogDocument &document_;
    ExportResult result_;
    mutable std::vector<ColumnSummary> summaries_;
    TagRecord scratch_;  // the record of a cell still as loaded (cellRecord)
    ExportHost &host_;
    const int lastColumn_;
    const int lastRow_;
    const bool omitEmptyTags_;      // the ADIF tag omission rule is on (asked once a run)
    std::vector<bool> gatePassed_;  // columns whose gate a cell has passed
    std::vector<ColumnChecks> columnChecks_
        = std::vector<ColumnChecks>(static_cast<size_t>(lastColumn_ + 2));
    int latestYear_ = 0;
    size_t estimate_ = 0;
    std::string out_;                              // the text, or what of it is not yet handed on
    StreamedExportFile *file_ = nullptr;           // the file the text goes to as it is built
    std::vector<LogProblem> *problems_ = nullptr;  // set while a log check collects
    std::unique_ptr<CurrentChecks> current_;       // in the Current ADIF mode only
};

}  // namespace vaziduvu
