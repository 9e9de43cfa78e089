#include "cli/check_command.h"
#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/problem_report.h"
#include "cli/streamed_log.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/current_hint.h"
#include "export/export_run.h"
#include "export/writers.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vaziduvu {

namespace {

// A problem of a batch's document as a report line: a cell's place is found
// in the batch (its row there is `rowOffset` fewer); a whole column's is its
// first value in the log.
ReportedProblem batchProblem(const LogDocument &batch, int rowOffset, const LogProblem &problem,
                             const StreamedLog &log)
{
    const std::string field = trimText(batch.text(problem.column, 0));
    if (problem.row == 0)
        return {
            std::max(log.wholeColumn(problem.column).firstValueOffset, 0), {}, {}, problem.message};
    const int row = problem.row - rowOffset;
    return {offsetOf(batch, problem.column, row), field,
            std::string(batch.text(problem.column, row)), problem.message};
}

// The check a batch at a time: the problems of each batch are printed once
// it is walked, in the order the whole log's check finds them.
int streamCheck(const std::string &path, const CliOptions &options, bool json, std::ostream &out,
                std::ostream &err)
{
    StreamedLog log(path, options, err);
    const OpenStatus status = log.survey();
    if (status == OpenStatus::Unreadable)
        return CliUsageError;
    const TextEncoding encoding = log.file().textEncoding();
    if (status != OpenStatus::Loaded) {
        ProblemPrinter printer(out, path, json, encoding);
        const ReportedProblem problem = status == OpenStatus::FormatError
            ? formatErrorProblem(log.file())
            : ReportedProblem{0, {}, {}, kTooBigMessage};
        printer.print(problem, log.lineAndColumn(problem.offset));
        printer.finish();
        return CliFormatError;
    }
    std::ostringstream quiet;
    ConsoleProgress progress(err);
    progress.begin("checking " + path);
    ConsoleExportHost host(quiet, options.progress ? &progress : nullptr);
    ProblemPrinter printer(out, path, json, encoding);
    std::unique_ptr<ExportRun> run;
    std::vector<LogProblem> problems;
    std::vector<std::string> hinted;
    bool found = false;
    const bool read = log.forEachBatch([&](LogDocument &batch, int rowOffset) {
        if (!run) {
            run = std::make_unique<ExportRun>(ExportFormat::Adif, batch, host);
            run->start(&problems);
        }
        run->useBatch(batch);
        run->walk(CheckPass::Whole, RowWindow{1, batch.rowCount() - 1, rowOffset, log.records()});
        for (const LogProblem &problem : problems) {
            const ReportedProblem reported = batchProblem(batch, rowOffset, problem, log);
            printer.print(reported, log.lineAndColumn(reported.offset));
        }
        found = found || !problems.empty();
        problems.clear();
        addCurrentOnlyValues(batch, hinted);
        return true;
    });
    progress.finish();
    printer.finish();
    if (!read) {
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
        return CliUsageError;
    }
    if (const std::string hint = currentAdifHint(hinted, kCurrentAdifOptionRemedy); !hint.empty())
        (json ? err : out) << "Note: " << hint << '\n';
    return found ? CliFormatError : CliOk;
}

}  // namespace

int runCheckCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err)
{
    bool json = false;
    bool pretty = false;
    const std::optional<std::string> path
        = readableLogArgument("check [--json]", args, pretty, json, err);
    if (!path)
        return CliUsageError;
    if (options.batchRecords > 0)
        return streamCheck(*path, options, json, out, err);
    const OpenedLog opened = openCommandLog(*path, options, err);
    if (opened.status == OpenStatus::Unreadable)
        return CliUsageError;
    const AdifFile &file = *opened.file;
    std::vector<ReportedProblem> found;
    if (opened.status == OpenStatus::FormatError) {
        found.push_back(formatErrorProblem(file));
        printProblems(out, *path, file, found, json);
        return CliFormatError;
    }
    if (!opened) {
        found.push_back({0, {}, {}, kTooBigMessage});
        printProblems(out, *path, file, found, json);
        return CliFormatError;
    }
    LogDocument *document = opened.document.get();
    std::ostringstream quiet;
    ConsoleProgress progress(err);
    progress.begin("checking " + *path);
    ConsoleExportHost host(quiet, options.progress ? &progress : nullptr);
    const std::vector<LogProblem> problems = checkLog(ExportFormat::Adif, *document, host);
    progress.finish();
    found = reportedProblems(*document, problems);
    printProblems(out, *path, file, found, json);
    if (const std::string hint = currentAdifHint(*document, kCurrentAdifOptionRemedy);
        !hint.empty())
        (json ? err : out) << "Note: " << hint << '\n';
    return found.empty() ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
