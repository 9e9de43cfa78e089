// What the recovery journal adds to editing a whole logbook (100,000
// generated contacts, Current ADIF). Each command is timed as the window
// makes it, without and with its journal: with it, the window hands the
// step (shared, not copied) to the journal, whose own thread encodes,
// frames, writes and syncs its record. That wait is outside the timing, as
// the window never waits for it; "syncMs" shows it.
//
// Compared: a change of one cell and of a whole column (as Replace All
// makes), Fix All Like This on every sideband contact (a third of the log,
// with the SUBMODE column it adds), and Delete Duplicates of 10,000 contacts
// logged twice. The journal should add at most 10% to any of them.

#include "bench_run.h"
#include "document/duplicates.h"
#include "document/grid_change.h"
#include "document/open_log.h"
#include "document/recovery_journal.h"
#include "export/quick_fixes.h"
#include "generated_logbook.h"
#include "quiet_host.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace vaziduvu;

const int kRecords = vaziduvu::bench::logbookContacts();

using vaziduvu::bench::QuietHost;

// A journal in a folder of its own, removed with the journal.
class BenchJournal {
public:
    BenchJournal()
        : folder_(std::filesystem::temp_directory_path()
                  / ("vaziduvu-bench-journal-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder_);
        journal_ = std::make_unique<RecoveryJournal>((folder_ / "log.journal").string(),
                                                     JournalSource{}, nullptr, 0);
    }
    ~BenchJournal()
    {
        journal_->discard();
        std::filesystem::remove_all(folder_);
    }
    void append(RecordMaker record) { journal_->append(std::move(record)); }
    // Milliseconds until what was appended is on the disk.
    double waitMs()
    {
        const auto start = std::chrono::steady_clock::now();
        journal_->waitUntilWritten();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    }

private:
    std::filesystem::path folder_;
    std::unique_ptr<RecoveryJournal> journal_;
};

// Times `made` (the command, returning the maker of its step's record when
// journaled) and takes it back with `undo` outside the timing.
template <typename Made, typename Undo>
void timeCommand(benchmark::State &state, bool journaled, Made made, Undo undo)
{
    std::unique_ptr<BenchJournal> journal;
    if (journaled)
        journal = std::make_unique<BenchJournal>();
    double syncMs = 0;
    size_t recordBytes = 0;
    for (auto _ : state) {
        RecordMaker record = made(journaled);
        if (journal)
            journal->append([&recordBytes, record = std::move(record)] {
                std::string bytes = record();
                recordBytes = bytes.size();
                return bytes;
            });
        state.PauseTiming();
        if (journal)
            syncMs += journal->waitMs();
        undo();
        state.ResumeTiming();
    }
    state.counters["recordMB"] = static_cast<double>(recordBytes) / 1e6;
    state.counters["syncMs"]
        = syncMs / static_cast<double>(std::max<int64_t>(1, state.iterations()));
}

// The record of a change, made on the journal's thread.
RecordMaker changeRecord(const char *text, std::shared_ptr<const GridChange> change)
{
    return [text, change = std::move(change)] {
        return JournalStep::encodeChange(text, -1, -1, *change, 0);
    };
}

// --- a change of one cell or of a whole column ----------------------------------

OpenedLog &logbook()
{
    static OpenedLog opened = openLogFromBytes(generatedLogbook(kRecords), AdifMode::Current);
    return opened;
}

void changeColumn(benchmark::State &state, bool wholeColumn, bool journaled)
{
    OpenedLog &log = logbook();
    if (!log) {
        state.SkipWithError("the generated logbook did not load");
        return;
    }
    LogDocument &document = *log.document;
    const GridRegion region
        = wholeColumn ? GridRegion::column(document, 2) : GridRegion::cell(2, kRecords / 2);
    std::shared_ptr<const GridChange> step;
    timeCommand(
        state, journaled,
        [&](bool journal) {
            GridChange change = GridChange::capture(document, region);
            for (int row = std::max(1, region.firstRow);
                 row <= std::min(region.lastRow, document.rowCount() - 1); ++row)
                document.setText(2, row, std::string(document.text(2, row)) + "X");
            change.finish(document);
            step = std::make_shared<const GridChange>(std::move(change));
            return journal ? changeRecord("Replace All", step) : RecordMaker();
        },
        [&] { step->undo(document); });
}

void BM_OneCell(benchmark::State &state)
{
    changeColumn(state, false, false);
}
void BM_OneCellJournaled(benchmark::State &state)
{
    changeColumn(state, false, true);
}
void BM_WholeColumn(benchmark::State &state)
{
    changeColumn(state, true, false);
}
void BM_WholeColumnJournaled(benchmark::State &state)
{
    changeColumn(state, true, true);
}

// --- Fix All Like This ----------------------------------------------------------

void fixAll(benchmark::State &state, bool journaled)
{
    static OpenedLog opened = openLogFromBytes(
        withSidebandModes(generatedLogbook(kRecords), kRecords), AdifMode::Current);
    if (!opened) {
        state.SkipWithError("the generated logbook did not load");
        return;
    }
    LogDocument &document = *opened.document;
    QuietHost host;
    static const std::vector<FoundProblem> found = findQuickFixes(document, host);
    const QuickFix *chosen = nullptr;
    for (const FoundProblem &problem : found) {
        if (problem.fix && problem.fix->kind == FixKind::SubmodeAsMode) {
            chosen = &*problem.fix;
            break;
        }
    }
    if (chosen == nullptr) {
        state.SkipWithError("no sideband problem found");
        return;
    }
    std::shared_ptr<const GridChange> step;
    int fixed = 0;
    timeCommand(
        state, journaled,
        [&](bool journal) {
            std::vector<FoundProblem> alike;
            for (const FoundProblem &problem : found) {
                if (problem.fix && problem.fix->sameKind(*chosen))
                    alike.push_back(problem);
            }
            document.openJournal();
            fixed = applyQuickFixes(document, fixesToApply(alike)).contacts;
            step = std::make_shared<const GridChange>(GridChange::fromJournal(document));
            return journal ? changeRecord("Fix All: SUBMODE", step) : RecordMaker();
        },
        [&] { step->undo(document); });
    state.counters["contactsFixed"] = fixed;
}

void BM_FixAll(benchmark::State &state)
{
    fixAll(state, false);
}
void BM_FixAllJournaled(benchmark::State &state)
{
    fixAll(state, true);
}

// --- Delete Duplicates ----------------------------------------------------------

// The logbook with its first tenth logged a second time at its end.
std::string withTwins(int records)
{
    const int twins = records / 10;
    std::string text = generatedLogbook(records - twins);
    const std::string again = generatedLogbook(twins);
    const size_t header = again.find("<EOH>\r\n");
    text += again.substr(header == std::string::npos ? 0 : header + 7);
    return text;
}

void deleteDuplicates(benchmark::State &state, bool journaled)
{
    static OpenedLog opened = openLogFromBytes(withTwins(kRecords), AdifMode::Current);
    if (!opened) {
        state.SkipWithError("the generated logbook did not load");
        return;
    }
    LogDocument &document = *opened.document;
    std::vector<LogDocument::RowContent> removed;
    GridShape before;
    size_t deleted = 0;
    timeCommand(
        state, journaled,
        [&](bool journal) {
            std::vector<int> rows;
            for (const DuplicateGroup &group : findDuplicateGroups(contactKeysOf(document), 5)) {
                for (size_t i = 1; i < group.members.size(); ++i)
                    rows.push_back(group.members[i] + 1);
            }
            std::sort(rows.begin(), rows.end());
            deleted = rows.size();
            before = document.shape();
            removed = document.removeRows(rows);
            if (!journal)
                return RecordMaker();
            // A removal's record is small: the window makes it at once.
            return RecordMaker([record = JournalStep::encodeRemoveRows("Delete Duplicates", rows,
                                                                       0)] { return record; });
        },
        [&] {
            document.insertRows(removed);
            document.setShape(before);
        });
    state.counters["deleted"] = static_cast<double>(deleted);
}

void BM_DeleteDuplicates(benchmark::State &state)
{
    deleteDuplicates(state, false);
}
void BM_DeleteDuplicatesJournaled(benchmark::State &state)
{
    deleteDuplicates(state, true);
}

}  // namespace

using vaziduvu::bench::repeated;

// Each journaled iteration waits for its sync (untimed): a few hundred are enough.
BENCHMARK(BM_OneCell)->Unit(benchmark::kMicrosecond)->Apply(repeated<300>);
BENCHMARK(BM_OneCellJournaled)->Unit(benchmark::kMicrosecond)->Apply(repeated<300>);
BENCHMARK(BM_WholeColumn)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK(BM_WholeColumnJournaled)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK(BM_FixAll)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK(BM_FixAllJournaled)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK(BM_DeleteDuplicates)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK(BM_DeleteDuplicatesJournaled)->Unit(benchmark::kMillisecond)->Apply(repeated<10>);
BENCHMARK_MAIN();
