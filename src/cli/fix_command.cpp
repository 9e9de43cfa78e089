#include "cli/fix_command.h"

#include "adif/adif_file.h"
#include "cli/console_progress.h"
#include "cli/export_command.h"
#include "cli/problem_report.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "export/quick_fixes.h"
#include "export/save_flow.h"
#include "export/writers.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace vaziduvu {

namespace {

constexpr const char *kUsage = "usage: vaziduvu-cli fix [--dry-run] FILE TARGET\n";

// The place of a mended cell in the file: its value, or for a field the
// record lacked, the value it is written after.
int32_t placeOf(const LogDocument &document, const QuickFix &fix, const CellFix &cell)
{
    if (cell.column > 0) {
        if (const CellRecord own = document.cellInfo(cell.column, cell.row);
            own && own->valueOffset >= 0)
            return own->valueOffset;
    }
    return offsetOf(document, fix.anchorColumn, cell.row);
}

}  // namespace

int runFixCommand(const std::vector<std::string> &args, const CliOptions &options,
                  std::ostream &out, std::ostream &err)
{
    bool dryRun = false;
    std::vector<std::string> paths;
    for (const std::string &arg : args) {
        if (arg == "--dry-run")
            dryRun = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty()) {
        err << kUsage;
        return CliUsageError;
    }
    const std::string &path = paths[0];
    const std::string &target = paths[1];
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path, std::ios::binary)) {
        err << "vaziduvu-cli: cannot read '" << path << "'\n";
        return CliUsageError;
    }
    const OpenedLog opened = openCommandLog(path, options, err);
    if (opened.status == OpenStatus::Unreadable)
        return CliUsageError;
    const AdifFile &file = *opened.file;
    if (!opened) {
        const ReportedProblem refusal = opened.status == OpenStatus::FormatError
            ? formatErrorProblem(file)
            : ReportedProblem{0, {}, {}, kTooBigMessage};
        printProblems(out, path, file, {refusal}, false);
        return CliFormatError;
    }
    if (!dryRun && pathExists(target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }

    LogDocument &document = *opened.document;
    std::ostringstream quiet;
    ConsoleProgress progress(err);
    progress.begin("fixing " + path);
    ConsoleExportHost host(quiet, options.progress ? &progress : nullptr);
    const std::vector<FoundProblem> found = findQuickFixes(document, host);
    const std::vector<const QuickFix *> fixes = fixesToApply(found);
    const std::string mended = rewriteSource(document, file.sourceText(), fixes);
    for (const QuickFix *fix : fixes) {
        for (const CellFix &cell : fix->cells) {
            const auto [line, column]
                = lineAndColumn(file.sourceText(), placeOf(document, *fix, cell));
            out << path << ':' << line << ':' << column << ": " << cell.field << " \""
                << cell.before << "\" -> \"" << cell.after << "\"\n";
        }
    }
    const AppliedFixes applied = applyQuickFixes(document, fixes);
    const std::vector<LogProblem> remaining = checkLog(ExportFormat::Adif, document, host);
    progress.finish();
    printProblems(out, path, file, reportedProblems(document, remaining), false);
    out << applied.fixes << (applied.fixes == 1 ? " fix in " : " fixes in ") << applied.contacts
        << (applied.contacts == 1 ? " contact, " : " contacts, ") << remaining.size()
        << (remaining.size() == 1 ? " problem remains\n" : " problems remain\n");
    if (!dryRun) {
        const ExportResult written = writeExportFile(target, mended, host);
        if (!written) {
            err << "Problem: " << kFileNotSavedMessage << '\n';
            if (!written.reason.empty())
                err << written.reason << '\n';
            return CliFormatError;
        }
    }
    return remaining.empty() ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
