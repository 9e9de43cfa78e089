#include "cli/problem_report.h"

#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/json_writer.h"
#include "document/log_document.h"

#include <algorithm>

namespace vaziduvu {

std::pair<int, int> lineAndColumn(const std::string &text, int32_t offset)
{
    int line = 1;
    size_t lineStart = 0;
    const size_t end = std::min(text.size(), static_cast<size_t>(std::max(0, offset)));
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    return {line, static_cast<int>(end - lineStart) + 1};
}

ReportedProblem formatErrorProblem(const AdifFile &file)
{
    // One line: the report's line breaks become blanks.
    std::string text = outcomeReportText(file.result().status, file.result().position);
    for (char &c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::string folded;
    for (char c : trimText(text)) {
        if (c != ' ' || folded.empty() || folded.back() != ' ')
            folded += c;
    }
    return {file.result().position, {}, {}, folded};
}

int32_t offsetOf(const LogDocument &document, int column, int row)
{
    auto valueAt = [&](int c, int r) -> int32_t {
        const CellRecord record = document.cellInfo(c, r);
        return record ? record->valueOffset : -1;
    };
    if (row > 0) {
        if (const int32_t own = valueAt(column, row); own >= 0)
            return own;
        for (int c = 1; c < document.columnCount(); ++c) {
            if (const int32_t other = valueAt(c, row); other >= 0)
                return other;
        }
        return 0;
    }
    for (int r = 1; r < document.rowCount(); ++r) {
        if (const int32_t first = valueAt(column, r); first >= 0)
            return first;
    }
    return 0;
}

std::vector<ReportedProblem> reportedProblems(const LogDocument &document,
                                              const std::vector<LogProblem> &problems)
{
    std::vector<ReportedProblem> found;
    found.reserve(problems.size());
    for (const LogProblem &problem : problems) {
        const std::string field = trimText(document.text(problem.column, 0));
        const std::string value
            = problem.row > 0 ? std::string(document.text(problem.column, problem.row)) : "";
        found.push_back({offsetOf(document, problem.column, problem.row),
                         problem.row > 0 ? field : std::string(), value, problem.message});
    }
    return found;
}

ProblemPrinter::ProblemPrinter(std::ostream &out, std::string path, bool json,
                               TextEncoding encoding)
    : out_(out)
    , path_(std::move(path))
{
    if (json) {
        json_ = std::make_unique<JsonWriter>(out, false, encoding);
        json_->beginArray();
    }
}

ProblemPrinter::~ProblemPrinter() = default;

void ProblemPrinter::print(const ReportedProblem &problem, std::pair<int, int> place)
{
    const auto [line, column] = place;
    if (!json_) {
        out_ << path_ << ':' << line << ':' << column << ": ";
        if (!problem.field.empty())
            out_ << problem.field << " \"" << problem.value << "\": ";
        out_ << problem.message << '\n';
        return;
    }
    json_->beginObject();
    json_->member("file", path_);
    json_->member("line", int64_t{line});
    json_->member("column", int64_t{column});
    json_->member("field", problem.field);
    json_->member("value", problem.value);
    json_->member("message", problem.message);
    json_->endObject();
}

void ProblemPrinter::finish()
{
    if (!json_)
        return;
    json_->endArray();
    json_->finish();
    json_.reset();
}

void printProblems(std::ostream &out, const std::string &path, const AdifFile &file,
                   const std::vector<ReportedProblem> &found, bool json)
{
    const std::string &text = file.sourceText();
    ProblemPrinter printer(out, path, json, file.textEncoding());
    for (const ReportedProblem &problem : found)
        printer.print(problem, lineAndColumn(text, problem.offset));
    printer.finish();
}

}  // namespace vaziduvu
