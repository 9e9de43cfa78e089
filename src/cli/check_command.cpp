#include "cli/check_command.h"
#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/json_writer.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/writers.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vaziduvu {

namespace {

struct Found {
    int32_t offset = 0;  // in the file
    std::string field;
    std::string value;
    std::string message;
};

// Line and column (from 1) of a byte offset: lines end at "\n", "\r\n" or "\r".
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

// Where a cell's problem is reported: its value in the file; for a cell the
// file does not hold (a field missing from that record), the record's first
// value; for a whole column, the column's first value.
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

void print(std::ostream &out, const std::string &path, const AdifFile &file,
           const std::vector<Found> &found, bool json)
{
    const std::string &text = file.sourceText();
    if (!json) {
        for (const Found &problem : found) {
            const auto [line, column] = lineAndColumn(text, problem.offset);
            out << path << ':' << line << ':' << column << ": ";
            if (!problem.field.empty())
                out << problem.field << " \"" << problem.value << "\": ";
            out << problem.message << '\n';
        }
        return;
    }
    JsonWriter writer(out, false, file.textEncoding());
    writer.beginArray();
    for (const Found &problem : found) {
        const auto [line, column] = lineAndColumn(text, problem.offset);
        writer.beginObject();
        writer.member("file", path);
        writer.member("line", int64_t{line});
        writer.member("column", int64_t{column});
        writer.member("field", problem.field);
        writer.member("value", problem.value);
        writer.member("message", problem.message);
        writer.endObject();
    }
    writer.endArray();
    writer.finish();
}

// One line: the report's line breaks become blanks.
std::string oneLine(std::string text)
{
    for (char &c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::string folded;
    for (char c : trimText(text)) {
        if (c != ' ' || folded.empty() || folded.back() != ' ')
            folded += c;
    }
    return folded;
}

}  // namespace

int runCheckCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err)
{
    bool json = false;
    std::vector<std::string> rest;
    for (const std::string &arg : args) {
        if (arg == "--json")
            json = true;
        else
            rest.push_back(arg);
    }
    bool pretty = false;
    const std::optional<std::string> path
        = readableLogArgument("check [--json]", rest, pretty, err);
    if (!path)
        return CliUsageError;
    ConsoleProgress reading(err);
    reading.begin("reading " + *path);
    OpenSteps steps;
    steps.reading = options.progress ? &reading : nullptr;
    const OpenedLog opened = openLog(*path, options.mode, steps);
    if (opened.status == OpenStatus::Unreadable) {
        err << "vaziduvu-cli: reading '" << *path << "' failed (out of memory)\n";
        return CliUsageError;
    }
    const AdifFile &file = *opened.file;
    std::vector<Found> found;
    if (opened.status == OpenStatus::FormatError) {
        found.push_back({file.result().position,
                         {},
                         {},
                         oneLine(outcomeReportText(file.result().status, file.result().position))});
        print(out, *path, file, found, json);
        return CliFormatError;
    }
    if (!opened) {
        found.push_back({0, {}, {}, kTooBigMessage});
        print(out, *path, file, found, json);
        return CliFormatError;
    }
    LogDocument *document = opened.document.get();
    std::ostringstream quiet;
    ConsoleProgress progress(err);
    progress.begin("checking " + *path);
    ConsoleExportHost host(quiet, options.progress ? &progress : nullptr);
    const std::vector<LogProblem> problems = checkLog(ExportFormat::Adif, *document, host);
    progress.finish();
    for (const LogProblem &problem : problems) {
        const std::string field = trimText(document->text(problem.column, 0));
        const std::string value
            = problem.row > 0 ? std::string(document->text(problem.column, problem.row)) : "";
        found.push_back({offsetOf(*document, problem.column, problem.row),
                         problem.row > 0 ? field : std::string(), value, problem.message});
    }
    print(out, *path, file, found, json);
    return found.empty() ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
