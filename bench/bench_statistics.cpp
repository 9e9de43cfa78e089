// The log's figures (the Statistics window, `vaziduvu-cli stats`) on a whole
// logbook: 100,000 generated contacts of real shape (generated_logbook.h)
// opened in the Current ADIF mode. The window recomputes them after edits,
// so they must come in well under 0.3 s.

#include "bench_run.h"
#include "document/log_document.h"
#include "document/log_statistics.h"
#include "document/open_log.h"
#include "generated_logbook.h"

#include <benchmark/benchmark.h>

namespace {

using vaziduvu::AdifMode;
using vaziduvu::ContactSelection;
using vaziduvu::LogStatistics;
using vaziduvu::OpenedLog;

const int kRecords = vaziduvu::bench::logbookContacts();

const OpenedLog &logbook()
{
    static const OpenedLog opened
        = vaziduvu::openLogFromBytes(generatedLogbook(kRecords), AdifMode::Current);
    return opened;
}

void BM_LogStatistics(benchmark::State &state)
{
    const OpenedLog &opened = logbook();
    if (!opened) {
        state.SkipWithError("generated logbook did not load");
        return;
    }
    for (auto _ : state) {
        const LogStatistics figures = LogStatistics::of(*opened.document);
        benchmark::DoNotOptimize(figures.contacts);
    }
    state.counters["contacts"] = kRecords;
}
BENCHMARK(BM_LogStatistics)->Unit(benchmark::kMillisecond);

// The rows behind one bar: what a double-click costs before the grid
// selects them.
void BM_ContactRowsOfABar(benchmark::State &state)
{
    const OpenedLog &opened = logbook();
    if (!opened) {
        state.SkipWithError("generated logbook did not load");
        return;
    }
    ContactSelection selection;
    selection.band = "20M";
    selection.modes = {"FT8"};
    for (auto _ : state)
        benchmark::DoNotOptimize(vaziduvu::contactRows(*opened.document, selection).size());
}
BENCHMARK(BM_ContactRowsOfABar)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
