// A whole logbook in the Current ADIF mode: 100,000 generated records of
// real shape (generated_logbook.h), read from a file, then filled into a
// document; the same for a million contacts (generated_million.h). Reports
// MB/s and the peak resident memory of one open against the file size.

#include "adif/adif_file.h"
#include "bench_run.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "generated_logbook.h"
#include "generated_million.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using vaziduvu::AdifFile;
using vaziduvu::AdifMode;
using vaziduvu::LogDocument;
using vaziduvu::OpenedLog;
using vaziduvu::openLog;

using vaziduvu::bench::residentPeakSinceLastCall;

class LogbookFile {
public:
    LogbookFile()
        : path_(std::filesystem::temp_directory_path() / "vaziduvu_bench_logbook.adi")
    {
        std::string text = generatedLogbook(vaziduvu::bench::logbookContacts());
        std::ofstream(path_, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        size_ = text.size();
        std::string().swap(text);
        malloc_trim(0);
    }
    ~LogbookFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    size_t size_ = 0;
};

const LogbookFile &logbookFile()
{
    static const LogbookFile file;
    return file;
}

void reportMemory(benchmark::State &state, int64_t peak, size_t fileSize)
{
    state.counters["fileMB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["peakRssMB"] = static_cast<double>(peak) / 1e6;
    state.counters["peakPerFile"] = static_cast<double>(peak) / static_cast<double>(fileSize);
}

void BM_ReadLogbook(benchmark::State &state)
{
    const LogbookFile &file = logbookFile();
    malloc_trim(0);
    residentPeakSinceLastCall();
    for (auto _ : state) {
        auto adif = std::make_unique<AdifFile>();
        adif->setMode(AdifMode::Current);
        adif->load(file.path());
        if (!adif->result() || adif->recordCount() != vaziduvu::bench::logbookContacts()) {
            state.SkipWithError("the generated logbook did not load");
            break;
        }
        benchmark::DoNotOptimize(adif->storedTagCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    reportMemory(state, residentPeakSinceLastCall(), file.size());
}
BENCHMARK(BM_ReadLogbook)->Unit(benchmark::kMillisecond);

// Read and fill, as opening the file does; the document is new each time.
void BM_OpenLogbook(benchmark::State &state)
{
    const LogbookFile &file = logbookFile();
    malloc_trim(0);
    residentPeakSinceLastCall();
    for (auto _ : state) {
        const OpenedLog opened = openLog(file.path(), AdifMode::Current);
        if (!opened) {
            state.SkipWithError("the generated logbook was not filled");
            break;
        }
        benchmark::DoNotOptimize(opened.document->rowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    reportMemory(state, residentPeakSinceLastCall(), file.size());
}
BENCHMARK(BM_OpenLogbook)->Unit(benchmark::kMillisecond);

// The million-contact log of generated_million.h (about 350 MB), written
// a block at a time: the reader alone, then the reader and the fill.
class MillionFile {
public:
    MillionFile()
        : path_(std::filesystem::temp_directory_path() / "vaziduvu_bench_million.adi")
    {
        size_ = static_cast<size_t>(
            writeGeneratedMillion(path_.string(), vaziduvu::bench::millionContacts()));
        malloc_trim(0);
    }
    ~MillionFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    size_t size_ = 0;
};

const MillionFile &millionFile()
{
    static const MillionFile file;
    return file;
}

void BM_ReadMillion(benchmark::State &state)
{
    const MillionFile &file = millionFile();
    malloc_trim(0);
    residentPeakSinceLastCall();
    for (auto _ : state) {
        auto adif = std::make_unique<AdifFile>();
        adif->setMode(AdifMode::Current);
        adif->load(file.path());
        if (!adif->result() || adif->recordCount() != vaziduvu::bench::millionContacts()) {
            state.SkipWithError("the generated log did not load");
            break;
        }
        benchmark::DoNotOptimize(adif->storedTagCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    reportMemory(state, residentPeakSinceLastCall(), file.size());
}
BENCHMARK(BM_ReadMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

void BM_OpenMillion(benchmark::State &state)
{
    const MillionFile &file = millionFile();
    malloc_trim(0);
    residentPeakSinceLastCall();
    for (auto _ : state) {
        const OpenedLog opened = openLog(file.path(), AdifMode::Current);
        if (!opened) {
            state.SkipWithError("the generated log was not filled");
            break;
        }
        benchmark::DoNotOptimize(opened.document->rowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    reportMemory(state, residentPeakSinceLastCall(), file.size());
}
BENCHMARK(BM_OpenMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

}  // namespace

BENCHMARK_MAIN();
