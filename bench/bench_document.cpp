#include "adif/adif_file.h"
#include "document/log_document.h"
#include "document/search.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using vaziduvu::AdifFile;
using vaziduvu::LogDocument;

// The largest log a load accepts: 48 fields in each of 4,000 records, with
// values of typical length, some repeated and some longer than declared.
std::string largestLog()
{
    std::string adif = "Generated log\r\n<ADIF_VER:5>1.00\r\n<EOH>\r\n";
    adif.reserve(48u * 4000u * 24u);
    for (int r = 0; r < LogDocument::kLoadRecordLimit; ++r) {
        for (int f = 0; f < LogDocument::kLoadFieldLimit; ++f) {
            std::string value = "V" + std::to_string(r) + "_" + std::to_string(f);
            const size_t declared = f % 7 == 0 ? value.size() + 2 : value.size();
            adif += "<FIELD_" + std::to_string(f) + ":" + std::to_string(declared) + ">" + value;
            adif += f % 5 == 0 ? "\r\n" : " ";
        }
        adif += "<EOR>\r\n";
    }
    return adif;
}

const AdifFile &parsedLargestLog()
{
    static const std::unique_ptr<AdifFile> file = [] {
        auto parsed = std::make_unique<AdifFile>();
        parsed->loadFromBytes(largestLog());
        return parsed;
    }();
    return *file;
}

// A load as the window runs it: reset the previous document, then fill.
void BM_ResetAndFillLargestLog(benchmark::State &state)
{
    const AdifFile &file = parsedLargestLog();
    if (!file.result()) {
        state.SkipWithError("generated log did not parse");
        return;
    }
    auto document = std::make_unique<LogDocument>();
    for (auto _ : state) {
        document->reset();
        const auto result = document->fillFrom(file);
        benchmark::DoNotOptimize(result);
    }
    state.counters["tags"] = file.storedTagCount();
}
BENCHMARK(BM_ResetAndFillLargestLog)->Unit(benchmark::kMillisecond);

// The first load into a new document: the cell-record pool is still empty.
void BM_FillNewDocument(benchmark::State &state)
{
    const AdifFile &file = parsedLargestLog();
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<LogDocument>();
        state.ResumeTiming();
        const auto result = document->fillFrom(file);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillNewDocument)->Unit(benchmark::kMillisecond);

// Find next over the whole filled grid without a match: every cell twice.
void BM_SearchWithoutMatch(benchmark::State &state)
{
    const AdifFile &file = parsedLargestLog();
    auto document = std::make_unique<LogDocument>();
    document->fillFrom(file);
    for (auto _ : state) {
        vaziduvu::SearchPosition position;
        const auto hit = vaziduvu::searchGrid(*document, "NO SUCH TEXT", true, false, position);
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_SearchWithoutMatch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
