#include "cli/fix_command.h"

#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/console_progress.h"
#include "cli/export_command.h"
#include "cli/problem_report.h"
#include "cli/streamed_log.h"
#include "document/grid_change.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/export_run.h"
#include "export/file_system.h"
#include "export/quick_fixes.h"
#include "export/save_flow.h"
#include "export/streamed_file.h"
#include "export/writers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

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

void printFix(std::ostream &out, const std::string &path, std::pair<int, int> place,
              const CellFix &cell)
{
    out << path << ':' << place.first << ':' << place.second << ": " << cell.field << " \""
        << cell.before << "\" -> \"" << cell.after << "\"\n";
}

void printSummary(std::ostream &out, const AppliedFixes &applied, size_t remaining)
{
    out << applied.fixes << (applied.fixes == 1 ? " fix in " : " fixes in ") << applied.contacts
        << (applied.contacts == 1 ? " contact, " : " contacts, ") << remaining
        << (remaining == 1 ? " problem remains\n" : " problems remain\n");
}

int reportNotWritten(const ExportResult &written, std::ostream &err)
{
    err << "Problem: " << kFileNotSavedMessage << '\n';
    if (!written.reason.empty())
        err << written.reason << '\n';
    return CliFormatError;
}

// The mends of a log read a batch at a time, batch by batch, as
// findQuickFixes finds them for the whole log: one check run goes over
// every batch (a column it refuses stays refused), its tidying taken back
// in each before the mends are tried.
class BatchFixFinder {
public:
    BatchFixFinder(ExportHost &host, int records)
        : host_(host)
        , records_(records)
        , latestYear_(host.latestYear())
    {
    }

    // The mends of the batch's problems, their rows the batch's.
    std::vector<FoundProblem> find(LogDocument &batch, int rowOffset)
    {
        batch.openJournal();
        if (!run_) {
            run_ = std::make_unique<ExportRun>(ExportFormat::Adif, batch, host_);
            run_->start(&problems_);
        }
        run_->useBatch(batch);
        run_->walk(CheckPass::Whole, RowWindow{1, batch.rowCount() - 1, rowOffset, records_});
        GridChange::fromJournal(batch).undo(batch);
        std::vector<LogProblem> problems;
        problems.swap(problems_);
        for (LogProblem &problem : problems) {
            if (problem.row > 0)
                problem.row -= rowOffset;
        }
        return quickFixesOf(batch, std::move(problems), latestYear_);
    }

private:
    ExportHost &host_;
    const int records_;
    const int latestYear_;
    std::unique_ptr<ExportRun> run_;
    std::vector<LogProblem> problems_;
};

// A column the mends add (the log has no such field): the whole log adds
// them at the right, in the order its mends first need them; the cell of
// the first row that gets one is the column's template.
struct AddedColumn {
    std::string field;
    int firstRow = 0;  // in the whole log
    std::string firstValue;
};

void noteAddedColumn(std::vector<AddedColumn> &added, const CellFix &cell, int row)
{
    const auto known = std::find_if(added.begin(), added.end(), [&](const AddedColumn &column) {
        return column.field == cell.field;
    });
    if (known == added.end())
        added.push_back({cell.field, row, cell.after});
    else if (row < known->firstRow)
        *known = {cell.field, row, cell.after};
}

// The whole log's column facts with the added columns after them: as the
// fixed whole log says them (`fixed`), or (not `fixed`) without a template,
// so that the mends give every cell of an added column a record of its own
// as they do in the whole log.
std::shared_ptr<std::vector<LogDocument::WholeLogColumn>>
columnFactsWith(const StreamedLog &log, const std::vector<AddedColumn> &added, bool fixed)
{
    auto facts = std::make_shared<std::vector<LogDocument::WholeLogColumn>>(log.wholeColumns());
    facts->resize(log.columns().size() + 1);
    for (const AddedColumn &column : added) {
        LogDocument::WholeLogColumn &whole = facts->emplace_back();
        whole.fieldName = column.field;
        if (!fixed)
            continue;
        const TagRecord first = recordOfAddedCell(column.field, column.firstValue);
        whole.blank = LogDocument::blankLike(first);
        whole.status = first.kind;
        whole.dataType = first.dataType;
        whole.fieldName = first.name;
    }
    return facts;
}

// The mended text on its way to TARGET: handed to the streamed file a piece
// at a time, or (where the file cannot be written so) built whole for
// writeExportFile, which then says why.
class MendedTarget {
public:
    MendedTarget(StreamedLog &log, const std::string &path, ExportHost &host)
        : log_(log)
        , path_(path)
        , host_(host)
        , file_(StreamedExportFile::open(path, host))
    {
    }

    // The text of the file's bytes [from, to) as mended.
    void add(size_t from, size_t to, std::string_view mended)
    {
        copyUpTo(from);
        append(mended);
        done_ = to;
    }

    ExportResult finish()
    {
        copyUpTo(log_.file().fileSize());
        if (!read_)
            return ExportResult::refused("The log could not be read again.");
        return file_ ? file_->finish(text_) : writeExportFile(path_, text_, host_);
    }

private:
    void append(std::string_view piece)
    {
        text_.append(piece);
        if (file_ && text_.size() >= StreamedExportFile::kPieceSize)
            file_->write(text_);
    }
    // The bytes no batch holds (the header) as they are.
    void copyUpTo(size_t offset)
    {
        if (offset <= done_)
            return;
        read_ = log_.forEachPiece(done_, offset, [this](std::string_view piece) { append(piece); })
            && read_;
        done_ = offset;
    }

    StreamedLog &log_;
    const std::string path_;
    ExportHost &host_;
    std::unique_ptr<StreamedExportFile> file_;
    std::string text_;
    size_t done_ = 0;  // the file's bytes before it are mended
    bool read_ = true;
};

// The fix a batch at a time, saying and writing what the whole log's fix
// does. The first read of every batch finds its mends, prints them and
// writes the batch's mended text; the second finds them again, applies them
// and checks what remains, with the columns the mends add and what the
// fixed whole log says of them known from the first.
int streamFix(const std::string &path, const std::string &target, bool dryRun,
              const CliOptions &options, std::ostream &out, std::ostream &err)
{
    StreamedLog log(path, options, err);
    const OpenStatus status = log.survey();
    if (status == OpenStatus::Unreadable)
        return CliUsageError;
    ProblemPrinter printer(out, path, false, log.file().textEncoding());
    if (status != OpenStatus::Loaded) {
        const ReportedProblem refusal = status == OpenStatus::FormatError
            ? formatErrorProblem(log.file())
            : ReportedProblem{0, {}, {}, kTooBigMessage};
        printer.print(refusal, log.lineAndColumn(refusal.offset));
        return CliFormatError;
    }
    if (!dryRun && pathExists(target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }

    std::ostringstream quiet;
    ConsoleProgress progress(err);
    progress.begin("fixing " + path);
    ConsoleExportHost host(quiet, options.progress ? &progress : nullptr);
    std::optional<MendedTarget> mended;
    if (!dryRun)
        mended.emplace(log, target, host);
    std::vector<AddedColumn> added;
    BatchFixFinder finding(host, log.records());
    // Which batches have mends: the second read looks for them again only
    // there. (A column the check refuses is refused at the first row it
    // meets, so the batches it skips change nothing in the others.)
    std::vector<bool> mendedBatches;
    bool read = log.forEachBatch([&](LogDocument &batch, int rowOffset) {
        const std::vector<FoundProblem> found = finding.find(batch, rowOffset);
        const std::vector<const QuickFix *> fixes = fixesToApply(found);
        const LoadedText &text = *log.file().loadedText();
        const size_t end = text.base + text.source.size();
        mendedBatches.push_back(!fixes.empty());
        if (fixes.empty()) {
            if (mended)
                mended->add(text.base, end, text.source);
            return true;
        }
        const std::string batchMended = rewriteSource(batch, text.source, fixes, text.base);
        if (mended)
            mended->add(text.base, end, batchMended);
        for (const QuickFix *fix : fixes) {
            for (const CellFix &cell : fix->cells) {
                printFix(out, path, log.lineAndColumn(placeOf(batch, *fix, cell)), cell);
                if (cell.column == 0)
                    noteAddedColumn(added, cell, cell.row + rowOffset);
            }
        }
        return true;
    });

    const auto applyFacts = columnFactsWith(log, added, false);
    const auto fixedFacts = columnFactsWith(log, added, true);
    BatchFixFinder again(host, log.records());
    std::unique_ptr<ExportRun> check;
    std::vector<LogProblem> problems;
    AppliedFixes applied;
    size_t remaining = 0;
    size_t batchIndex = 0;
    read = read && log.forEachBatch([&](LogDocument &batch, int rowOffset) {
        const bool mended = batchIndex < mendedBatches.size() && mendedBatches[batchIndex];
        ++batchIndex;
        const std::vector<FoundProblem> found
            = mended ? again.find(batch, rowOffset) : std::vector<FoundProblem>();
        const std::vector<const QuickFix *> fixes = fixesToApply(found);
        for (const AddedColumn &column : added) {
            const int at = batch.columnCount();
            if (at >= batch.cellTableColumns())
                throw std::length_error("no room for another column");
            batch.setSize(at + 1, batch.rowCount());
            batch.setText(at, 0, column.field);
        }
        batch.useWholeLogColumns(applyFacts);
        const AppliedFixes done = applyQuickFixes(batch, fixes);
        applied.fixes += done.fixes;
        applied.contacts += done.contacts;
        batch.useWholeLogColumns(fixedFacts);
        if (!check) {
            check = std::make_unique<ExportRun>(ExportFormat::Adif, batch, host);
            check->start(&problems);
        }
        check->useBatch(batch);
        check->walk(CheckPass::Whole, RowWindow{1, batch.rowCount() - 1, rowOffset, log.records()});
        for (const LogProblem &problem : problems) {
            ReportedProblem reported{0, {}, {}, problem.message};
            if (problem.row == 0) {
                reported.offset = std::max(
                    (*fixedFacts)[static_cast<size_t>(problem.column)].firstValueOffset, 0);
            } else {
                const int row = problem.row - rowOffset;
                reported.offset = offsetOf(batch, problem.column, row);
                reported.field = trimText(batch.text(problem.column, 0));
                reported.value = std::string(batch.text(problem.column, row));
            }
            printer.print(reported, log.lineAndColumn(reported.offset));
        }
        remaining += problems.size();
        problems.clear();
        return true;
    });
    progress.finish();
    if (!read) {
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
        return CliUsageError;
    }
    printSummary(out, applied, remaining);
    if (mended) {
        if (const ExportResult written = mended->finish(); !written)
            return reportNotWritten(written, err);
    }
    return remaining == 0 ? CliOk : CliFormatError;
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
    if (options.batchRecords > 0)
        return streamFix(path, target, dryRun, options, out, err);
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
            printFix(out, path, lineAndColumn(file.sourceText(), placeOf(document, *fix, cell)),
                     cell);
        }
    }
    const AppliedFixes applied = applyQuickFixes(document, fixes);
    const std::vector<LogProblem> remaining = checkLog(ExportFormat::Adif, document, host);
    progress.finish();
    printProblems(out, path, file, reportedProblems(document, remaining), false);
    printSummary(out, applied, remaining.size());
    if (!dryRun) {
        if (const ExportResult written = writeExportFile(target, mended, host); !written)
            return reportNotWritten(written, err);
    }
    return remaining.empty() ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
