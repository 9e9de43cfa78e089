// Load time of the largest log the program accepts: 4,000 records of 48
// fields (about 196,000 tags), read from a file.

#include "adif/adif_file.h"
#include "adif/field_catalogue.h"

#include "bench_run.h"
#include "generated_logbook.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 4000;
constexpr int kFields = 48;

std::string valueFor(const std::string &name, int record, int field)
{
    if (name == "QSO_DATE" || name.find("DATE") != std::string::npos
        || name.find("LASTQS") != std::string::npos)
        return "2013" + std::string(record % 12 < 9 ? "0" : "") + std::to_string(record % 12 + 1)
            + "15";
    if (name.rfind("TIME_", 0) == 0)
        return "1" + std::to_string(100 + record % 60) + "00";
    if (name == "BAND" || name == "BAND_RX")
        return "20M";
    if (name == "MODE")
        return "CW";
    return "ZX" + std::to_string(record) + "VAZ/" + std::to_string(field) + " PORTABLE";
}

std::string largestLog()
{
    std::vector<std::string> names;
    for (const std::string &name : vaziduvu::catalogueNames()) {
        if (name != "APP_LoTW_EOF")
            names.push_back(name);
    }
    while (static_cast<int>(names.size()) < kFields)
        names.push_back("MY_FIELD_" + std::to_string(names.size()));
    names.resize(kFields);

    std::string text = "Benchmark log\r\n<PROGRAMID:8>VAZIDUVU\r\n<EOH>\r\n";
    for (int record = 0; record < kRecords; ++record) {
        for (int field = 0; field < kFields; ++field) {
            const std::string value = valueFor(names[field], record, field);
            text += '<' + names[field] + ':' + std::to_string(value.size()) + '>' + value + ' ';
        }
        text += "<EOR>\r\n";
    }
    return text;
}

class LargestLog {
public:
    LargestLog()
        : path_(std::filesystem::temp_directory_path() / "vaziduvu_bench_reader.adi")
    {
        const std::string text = largestLog();
        std::ofstream(path_, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        size_ = text.size();
    }
    ~LargestLog() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    size_t size_ = 0;
};

const LargestLog &largestLogFile()
{
    static const LargestLog file;
    return file;
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_LoadLargestLog(benchmark::State &state)
{
    const LargestLog &file = largestLogFile();
    int tags = 0;
    for (auto _ : state) {
        vaziduvu::AdifFile adif;
        adif.load(file.path());
        if (!adif.result() || adif.recordCount() != kRecords) {
            state.SkipWithError("the generated log did not load");
            break;
        }
        tags = adif.storedTagCount();
        benchmark::DoNotOptimize(tags);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    state.counters["tags"] = tags;
    state.counters["fileBytes"] = static_cast<double>(file.size());
    state.counters["peakRssKB"] = static_cast<double>(peakResidentKilobytes());
}
BENCHMARK(BM_LoadLargestLog)->Unit(benchmark::kMillisecond);

// A file of nothing but distinct field names (196,047 of them, about 3 MB):
// the names are indexed, so the load ends in milliseconds, not a minute.
void BM_LoadManyDistinctNames(benchmark::State &state)
{
    std::string text = "<EOH>";
    text.clear();
    for (int i = 0; i < 196047; ++i)
        text += "<F" + std::to_string(i) + ":1>x";
    text += "<EOR>";
    for (auto _ : state) {
        vaziduvu::AdifFile adif;
        adif.loadFromBytes(text);
        benchmark::DoNotOptimize(adif.fieldCount());
        if (adif.fieldCount() < 100000) {
            state.SkipWithError("the names were not read");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LoadManyDistinctNames)->Unit(benchmark::kMillisecond);

// The reader alone on a generated logbook (the parse of bytes in memory, no
// file read): Classic on the 4,000 contacts it accepts, Current on the
// whole logbook. The target is 1 GB/s or more in both. With `reused`, the
// memory a load fills was touched by an untimed load before (ReusedMemory):
// the parse alone, without the first touch of fresh pages.
void BM_ReadGeneratedLogbook(benchmark::State &state, vaziduvu::AdifMode mode, bool reused)
{
    const bool classic = mode == vaziduvu::AdifMode::Classic;
    const int contacts = classic ? std::min(4000, vaziduvu::bench::logbookContacts())
                                 : vaziduvu::bench::logbookContacts();
    const std::string text = generatedLogbook(contacts);
    std::optional<vaziduvu::bench::ReusedMemory> reuse;
    if (reused) {
        reuse.emplace();
        vaziduvu::AdifFile warm;
        warm.setMode(mode);
        warm.loadFromBytes(text);
    }
    for (auto _ : state) {
        vaziduvu::AdifFile adif;
        adif.setMode(mode);
        adif.loadFromBytes(text);
        if (!adif.result() || adif.recordCount() != contacts) {
            state.SkipWithError("the generated logbook did not load");
            break;
        }
        benchmark::DoNotOptimize(adif.storedTagCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
    state.counters["fileBytes"] = static_cast<double>(text.size());
}
BENCHMARK_CAPTURE(BM_ReadGeneratedLogbook, classic, vaziduvu::AdifMode::Classic, false)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_ReadGeneratedLogbook, current, vaziduvu::AdifMode::Current, false)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_ReadGeneratedLogbook, classic_reused_memory, vaziduvu::AdifMode::Classic, true)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_ReadGeneratedLogbook, current_reused_memory, vaziduvu::AdifMode::Current, true)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);

}  // namespace

BENCHMARK_MAIN();
