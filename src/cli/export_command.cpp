#include "cli/export_command.h"

#include "adif/adif_file.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "cli/streamed_log.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/export_run.h"
#include "export/file_system.h"
#include "export/save_flow.h"
#include "export/streamed_file.h"
#include "export/trimmed_text.h"

#include <clocale>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

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

// The refusal of a log that did not load, as the window's load report says it.
int reportRefusal(const std::string &report, std::ostream &err)
{
    err << report;
    if (report.empty() || report.back() != '\n')
        err << '\n';
    return CliFormatError;
}

int reportNotSaved(const ExportResult &result, std::ostream &err)
{
    err << "Problem: " << kFileNotSavedMessage << '\n';
    if (!result.reason.empty())
        err << result.reason << '\n';
    return CliFormatError;
}

// The values as an ADIF companion's run leaves them in the one document of
// a whole-log export: its checks trim every value they look at, and the XML
// or HTML file's run that follows checks what is left (a control character
// trimmed off is no problem then).
void trimValuesAsTheCompanionLeftThem(LogDocument &batch)
{
    for (int row = 1; row < batch.rowCount(); ++row) {
        for (int column = 1; column < batch.columnCount(); ++column) {
            const TrimmedText value(batch.text(column, row));
            if (value.changed())
                batch.setText(column, row, value.copy());
        }
    }
}

// One file of an export written a batch at a time: the sizing pass over
// every batch (so a date, time or number error anywhere is found before
// anything is written), then the writing pass over every batch into one
// sink, the text going to the unnamed file as it is built. Nothing when a
// read of the log failed. `afterCompanion`: the file follows its written
// ADIF companion.
std::optional<ExportResult> streamExportFile(StreamedLog &log, ExportFormat format,
                                             const std::string &path, ExportHost &host,
                                             bool afterCompanion = false)
{
    const std::unique_ptr<StreamedExportFile> file = StreamedExportFile::open(path, host);
    std::unique_ptr<ExportRun> run;
    std::unique_ptr<ExportSink> sink;
    bool passed = true;
    auto window = [&log](const LogDocument &batch, int rowOffset) {
        return RowWindow{1, batch.rowCount() - 1, rowOffset, log.records()};
    };
    const bool sized = log.forEachBatch([&](LogDocument &batch, int rowOffset) {
        if (afterCompanion)
            trimValuesAsTheCompanionLeftThem(batch);
        if (!run) {
            run = std::make_unique<ExportRun>(format, batch, host);
            run->text().file = file.get();
            if (!run->start())
                return passed = false;
        }
        run->useBatch(batch);
        return passed = run->walk(CheckPass::Sizing, window(batch, rowOffset));
    });
    bool written = false;
    if (sized && passed) {
        run->sizingDone();
        written = log.forEachBatch([&](LogDocument &batch, int rowOffset) {
            if (afterCompanion)
                trimValuesAsTheCompanionLeftThem(batch);
            run->useBatch(batch);
            if (!sink) {
                sink = run->makeSink();
                sink->begin(batch, run->estimate());
            }
            return passed = run->walk(CheckPass::Writing, window(batch, rowOffset), sink.get());
        });
    }
    if (!passed)
        return run ? run->result() : ExportResult::refused({});
    if (!written)
        return std::nullopt;
    sink->end();
    return file ? file->finish(run->text().text) : writeExportFile(path, run->text().text, host);
}

// An export a batch at a time, saying and writing what runExportPlan does
// for the whole log: an XML or HTML target's ADIF companion first, removed
// again when the target is not written.
int streamExport(const std::string &source, const ExportPlan &plan, const CliOptions &options,
                 std::ostream &out, std::ostream &err)
{
    CliOptions quietReading = options;
    quietReading.progress = false;  // as the whole load, reading shows no progress
    StreamedLog log(source, quietReading, err);
    const OpenStatus status = log.survey();
    if (status == OpenStatus::Unreadable)
        return CliUsageError;
    if (status == OpenStatus::FormatError)
        return reportRefusal(
            outcomeReportText(log.file().result().status, log.file().result().position), err);
    if (status != OpenStatus::Loaded)
        return reportRefusal(kTooBigReport, err);
    if (log.file().lastRecordStart() >= 0)
        out << "Note: the last record has no <EOR> (it starts at character "
            << log.file().lastRecordStart() << "); it is exported as a record.\n";
    if (pathExists(plan.target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }
    const auto [header, notice] = saveNotice(log.anyLengthDiscrepancy());
    out << header << ' ' << notice << '\n';

    ConsoleProgress progress(err);
    progress.begin("writing " + plan.target);
    ConsoleExportHost host(err, options.progress ? &progress : nullptr);
    std::optional<ExportResult> result;
    if (plan.refused()) {
        result = ExportResult::refused(plan.refusal);
    } else if (!plan.hasCompanion()) {
        result = streamExportFile(log, ExportFormat::Adif, plan.target, host);
    } else if (pathExists(plan.companion)) {
        result = ExportResult::refused("The companion file " + plan.companion + " already exists.");
    } else {
        result = streamExportFile(log, ExportFormat::Adif, plan.companion, host);
        if (result && *result) {
            result = streamExportFile(log, plan.format, plan.target, host, true);
            if (!result || !*result)
                removeExportFile(plan.companion);
        }
    }
    if (!result) {
        err << "vaziduvu-cli: reading '" << source << "' failed (out of memory)\n";
        return CliUsageError;
    }
    progress.finish();
    if (!*result)
        return reportNotSaved(*result, err);
    if (plan.hasCompanion())
        out << "Saved: " << plan.companion << '\n';
    out << "Saved: " << plan.target << '\n';
    return CliOk;
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

    if (options.batchRecords > 0)
        return streamExport(source, planExport(target), options, out, err);

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
