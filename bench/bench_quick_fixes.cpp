// Fix All Like This on a whole logbook: 100,000 generated records in the
// Current ADIF mode, 100 of them logged with MODE USB or LSB. The problems
// and their fixes are found once (the Check Log panel already holds them);
// each iteration makes every fix of the kind as one journaled step, adding
// the SUBMODE column, and the step is taken back outside the timing.

#include "bench_run.h"
#include "document/grid_change.h"
#include "document/open_log.h"
#include "export/quick_fixes.h"
#include "generated_logbook.h"
#include "quiet_host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace vaziduvu;

const int kRecords = vaziduvu::bench::logbookContacts();
constexpr int kSidebands = 100;

using vaziduvu::bench::QuietHost;

void BM_FixAllLikeThis(benchmark::State &state)
{
    const OpenedLog opened = openLogFromBytes(
        withSidebandModes(generatedLogbook(kRecords), kSidebands), AdifMode::Current);
    LogDocument &document = *opened.document;
    QuietHost host;
    const std::vector<FoundProblem> found = findQuickFixes(document, host);
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
    int fixed = 0;
    for (auto _ : state) {
        std::vector<FoundProblem> alike;
        for (const FoundProblem &problem : found) {
            if (problem.fix && problem.fix->sameKind(*chosen))
                alike.push_back(problem);
        }
        document.openJournal();
        fixed = applyQuickFixes(document, fixesToApply(alike)).contacts;
        GridChange step = GridChange::fromJournal(document);
        state.PauseTiming();
        step.undo(document);
        state.ResumeTiming();
    }
    state.counters["contactsFixed"] = fixed;
}
BENCHMARK(BM_FixAllLikeThis)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<5>);

}  // namespace

BENCHMARK_MAIN();
