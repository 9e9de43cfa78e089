// What the recovery journal adds to editing a whole logbook (100,000
// generated contacts, Current ADIF): the window encodes each step on its own
// thread and hands it to the journal's thread, which writes and syncs it.
// Compared: a change of one cell and of a whole column (as Replace All or a
// fix of every contact makes), each without and with its journal record.

#include "document/grid_change.h"
#include "document/open_log.h"
#include "document/recovery_journal.h"
#include "generated_logbook.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vaziduvu;

constexpr int kRecords = 100000;

OpenedLog &logbook()
{
    static OpenedLog opened = openLogFromBytes(generatedLogbook(kRecords), AdifMode::Current);
    return opened;
}

// Changes every cell of column 2 (or one cell) and takes it back; with
// `journaled`, the step's journal record is made as the window makes it.
void changeAndJournal(benchmark::State &state, bool wholeColumn, bool journaled)
{
    OpenedLog &log = logbook();
    if (!log) {
        state.SkipWithError("the generated logbook did not load");
        return;
    }
    LogDocument &document = *log.document;
    const GridRegion region
        = wholeColumn ? GridRegion::column(document, 2) : GridRegion::cell(2, 5000);
    size_t recordBytes = 0;
    for (auto _ : state) {
        GridChange change = GridChange::capture(document, region);
        for (int row = region.firstRow == 0 ? 1 : region.firstRow;
             row <= std::min(region.lastRow, document.rowCount() - 1); ++row)
            document.setText(2, row, std::string(document.text(2, row)) + "X");
        change.finish(document);
        if (journaled) {
            // Framing (length and checksum) and writing happen on the journal's thread.
            const std::string record = JournalStep::encodeChange("Replace All", -1, -1, change, 0);
            recordBytes = record.size();
            benchmark::DoNotOptimize(record.data());
        }
        state.PauseTiming();
        change.undo(document);
        state.ResumeTiming();
    }
    state.counters["recordMB"] = static_cast<double>(recordBytes) / 1e6;
}

void BM_OneCell(benchmark::State &state)
{
    changeAndJournal(state, false, false);
}
void BM_OneCellJournaled(benchmark::State &state)
{
    changeAndJournal(state, false, true);
}
void BM_WholeColumn(benchmark::State &state)
{
    changeAndJournal(state, true, false);
}
void BM_WholeColumnJournaled(benchmark::State &state)
{
    changeAndJournal(state, true, true);
}

}  // namespace

BENCHMARK(BM_OneCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneCellJournaled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeColumn)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WholeColumnJournaled)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
