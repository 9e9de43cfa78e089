#include "cli/export_command.h"

#include "adif/adif_file.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "export/save_flow.h"

#include <clocale>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>

namespace vaziduvu {

namespace {

namespace fs = std::filesystem;

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

void ConsoleExportHost::showMessage(const std::string &header, const std::string &text)
{
    err_ << header << ' ' << text << '\n';
}

void ConsoleExportHost::showPlainMessage(const std::string &text)
{
    err_ << text << '\n';
}

void ConsoleExportHost::selectCell(int column, int row)
{
    err_ << "Selected cell: row " << row << ", column " << column << '\n';
}

std::string ConsoleExportHost::exportDate()
{
    std::setlocale(LC_TIME, "");
    const std::tm local = localNow();
    char text[64];
    const size_t length = std::strftime(text, sizeof text, "%x", &local);
    return std::string(text, length);
}

int ConsoleExportHost::latestYear()
{
    return localNow().tm_year + 1900 + 1;
}

DriveType ConsoleExportHost::driveTypeOf(const std::string &path)
{
    return driveTypeOfPath(path);
}

int runExportCommand(const std::vector<std::string> &args, const CliOptions &options,
                     std::ostream &out, std::ostream &err)
{
    if (args.size() != 2 || args[1].empty()) {
        err << "usage: vaziduvu-cli export FILE TARGET\n";
        return CliUsageError;
    }
    const std::string &source = args[0];
    const std::string &target = args[1];
    std::error_code error;
    if (!fs::is_regular_file(source, error) || !std::ifstream(source, std::ios::binary)) {
        err << "vaziduvu-cli: cannot read '" << source << "'\n";
        return CliUsageError;
    }

    const OpenedLog opened = openLog(source, options.mode);
    switch (opened.status) {
    case OpenStatus::Unreadable:
        err << "vaziduvu-cli: reading '" << source << "' failed (out of memory)\n";
        return CliUsageError;
    case OpenStatus::FormatError:
    case OpenStatus::TooBig:
    case OpenStatus::Cancelled: {  // no progress is given: never cancelled
        const std::string report
            = opened.status == OpenStatus::Cancelled ? kTooBigReport : opened.refusalReport();
        err << report;
        if (report.empty() || report.back() != '\n')
            err << '\n';
        return CliFormatError;
    }
    case OpenStatus::Loaded:
        break;
    }
    const AdifFile *file = opened.file.get();
    LogDocument *document = opened.document.get();
    if (file->lastRecordStart() >= 0)
        out << "Note: the last record has no <EOR> (it starts at character "
            << file->lastRecordStart() << "); it is exported as a record.\n";

    if (pathExists(target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }
    const auto [header, notice] = saveNotice(document->anyLengthDiscrepancy());
    out << header << ' ' << notice << '\n';

    ConsoleProgress progress(err);
    progress.begin("writing " + target);
    ConsoleExportHost host(err, options.progress ? &progress : nullptr);
    const ExportPlan plan = planExport(target);
    const ExportResult result = runExportPlan(*document, plan, host);
    progress.finish();
    if (!result) {
        err << "Problem: " << kFileNotSavedMessage << '\n';
        if (!result.reason.empty())
            err << result.reason << '\n';
        return CliFormatError;
    }
    if (plan.hasCompanion())
        out << "Saved: " << plan.companion << '\n';
    out << "Saved: " << target << '\n';
    return CliOk;
}

}  // namespace vaziduvu
