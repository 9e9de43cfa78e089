#include "export/cell_checks.h"

#include "document/log_document.h"
#include "export/current_checks.h"
#include "export/markup.h"
#include "export/trimmed_text.h"
#include "export/value_checks.h"

namespace vaziduvu {

CellChecks::CellChecks(ExportFormat format, LogDocument &document, CurrentChecks *current,
                       int latestYear, std::vector<Settled> *settled, int rowOffset)
    : format_(format)
    , document_(document)
    , current_(current)
    , latestYear_(latestYear)
    , settled_(settled)
    , rowOffset_(rowOffset)
{
}

// The order, pass by pass:
//   check of what the file can carry   Sizing, Whole
//   Current mode: formats              Sizing, Whole, Values
//                 values               Writing, Whole, Values
//   Classic: date                      every pass
//            time, number              Sizing, Whole, Values
//            enumerated checks         Writing, Whole, Values
bool CellChecks::run(CheckPass pass, const TagRecord &record, int column, int row,
                     ProblemReport &report)
{
    const bool sizing = pass != CheckPass::Writing;
    const bool writing = pass != CheckPass::Sizing;
    const int shownRow = row + rowOffset_;
    const auto failed
        = [&](const std::string &message) { return !report.report(message, column, shownRow); };
    if ((pass == CheckPass::Sizing || pass == CheckPass::Whole)
        && !carriable(record, column, row, report))
        return false;
    if (current_ != nullptr) {
        if (sizing) {
            if (auto problem = current_->formatProblem(record, row, column);
                problem && failed(*problem))
                return false;
        }
        if (writing) {
            if (auto problem = current_->valueProblem(record, row, column);
                problem && failed(*problem))
                return false;
        }
        return true;
    }
    if (!checkDate(document_, record, row, column, latestYear_) && failed(kDateCheckMessage))
        return false;
    if (sizing) {
        if (!checkTime(document_, record, row, column) && failed(kTimeCheckMessage))
            return false;
        if (!checkNumber(document_, record, row, column) && failed(kNumberCheckMessage))
            return false;
    }
    return !writing || enumerated(record, column, row, report);
}

bool CellChecks::enumerated(const TagRecord &record, int column, int row, ProblemReport &report)
{
    const bool adifWriter = format_ == ExportFormat::Adif;
    const int shownRow = row + rowOffset_;
    Settled *known = settled_ != nullptr ? &(*settled_)[static_cast<size_t>(column)] : nullptr;
    // A settled column runs only its one check; every other one passes it,
    // as running it would show.
    if (known != nullptr && known->settled) {
        if (known->check && !checkEnumerated(*known->check, document_, record, row, column))
            return report.report(enumeratedCheckMessage(*known->check, adifWriter), column,
                                 shownRow);
        return true;
    }
    bool passed = true;
    for (EnumeratedCheck check : kEnumeratedChecks) {
        if (checkEnumerated(check, document_, record, row, column))
            continue;
        passed = false;
        if (!report.report(enumeratedCheckMessage(check, adifWriter), column, shownRow))
            return false;
    }
    if (known != nullptr && passed && !TrimmedText(document_.text(column, row)).view().empty()) {
        known->settled = true;
        known->check = enumeratedCheckFor(document_.text(column, 0));
    }
    return true;
}

std::string CellChecks::cellLabel(int column, int row) const
{
    return "row " + std::to_string(row + rowOffset_) + ", column "
        + trimText(document_.text(column, 0));
}

// What the file format itself cannot carry: a bracket in an ADIF value or
// comment would end the tag early (and could start a record nobody logged);
// control characters are no XML or HTML text.
bool CellChecks::carriable(const TagRecord &record, int column, int row, ProblemReport &report)
{
    const int shownRow = row + rowOffset_;
    const bool current = document_.adifMode() == AdifMode::Current;
    if (format_ == ExportFormat::Adif && current) {
        // The value's length delimits it; the comment stands between tags.
        if (record.comment.find_first_of("<>") != std::string::npos)
            return report.report(
                "The comment of the cell at " + cellLabel(column, row)
                    + " holds < or >, which would break the tags of the ADIF file.",
                column, shownRow);
        return true;
    }
    const std::string_view text = document_.text(column, row);
    if (format_ == ExportFormat::Adif) {
        if (text.find_first_of("<>") != std::string::npos
            || record.comment.find_first_of("<>") != std::string::npos)
            return report.report(
                "The cell at " + cellLabel(column, row)
                    + " holds < or >, which would break the tags of the ADIF file.",
                column, shownRow);
        return true;
    }
    if (const char control = forbiddenControl(text))
        return report.report(
            "The cell at " + cellLabel(column, row) + " holds a control character (code "
                + std::to_string(static_cast<int>(static_cast<unsigned char>(control)))
                + ") that an XML or HTML file cannot hold.",
            column, shownRow);
    return true;
}

}  // namespace vaziduvu
