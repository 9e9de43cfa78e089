#include "cli/check_command.h"
#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/problem_report.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/current_hint.h"
#include "export/writers.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vaziduvu {

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
