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
#include <optional>
#include <string>

namespace {

using vaziduvu::AdifFile;
using vaziduvu::AdifMode;
using vaziduvu::OpenedLog;
using vaziduvu::openLog;

using vaziduvu::bench::residentPeakSinceLastCall;

// A generated log in a file of its own, removed at exit.
class GeneratedFile {
public:
    // `write` writes the log to the path and returns its size.
    template <typename Write>
    GeneratedFile(const char *name, int contacts, Write write)
        : path_(std::filesystem::temp_directory_path() / name)
        , contacts_(contacts)
        , size_(write(path_.string()))
    {
        malloc_trim(0);
    }
    ~GeneratedFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }
    int contacts() const { return contacts_; }
    size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    int contacts_ = 0;
    size_t size_ = 0;
};

const GeneratedFile &logbookFile()
{
    static const GeneratedFile file(
        "vaziduvu_bench_logbook.adi", vaziduvu::bench::logbookContacts(),
        [](const std::string &path) {
            const std::string text = generatedLogbook(vaziduvu::bench::logbookContacts());
            std::ofstream(path, std::ios::binary)
                .write(text.data(), static_cast<std::streamsize>(text.size()));
            return text.size();
        });
    return file;
}

// The million-contact log of generated_million.h (about 350 MB), written
// a block at a time.
const GeneratedFile &millionFile()
{
    static const GeneratedFile file("vaziduvu_bench_million.adi",
                                    vaziduvu::bench::millionContacts(),
                                    [](const std::string &path) {
                                        return static_cast<size_t>(writeGeneratedMillion(
                                            path, vaziduvu::bench::millionContacts()));
                                    });
    return file;
}

void reportMemory(benchmark::State &state, int64_t peak, size_t fileSize)
{
    state.counters["fileMB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["peakRssMB"] = static_cast<double>(peak) / 1e6;
    state.counters["peakPerFile"] = static_cast<double>(peak) / static_cast<double>(fileSize);
}

// The reader alone.
void readGenerated(benchmark::State &state, const GeneratedFile &file)
{
    malloc_trim(0);
    residentPeakSinceLastCall();
    for (auto _ : state) {
        auto adif = std::make_unique<AdifFile>();
        adif->setMode(AdifMode::Current);
        adif->load(file.path());
        if (!adif->result() || adif->recordCount() != file.contacts()) {
            state.SkipWithError("the generated log did not load");
            break;
        }
        benchmark::DoNotOptimize(adif->storedTagCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
    reportMemory(state, residentPeakSinceLastCall(), file.size());
}

// Read and fill, as opening the file does; the document is new each time.
void openGenerated(benchmark::State &state, const GeneratedFile &file)
{
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

void BM_ReadLogbook(benchmark::State &state)
{
    readGenerated(state, logbookFile());
}
void BM_OpenLogbook(benchmark::State &state)
{
    openGenerated(state, logbookFile());
}
void BM_ReadMillion(benchmark::State &state)
{
    readGenerated(state, millionFile());
}
void BM_OpenMillion(benchmark::State &state)
{
    openGenerated(state, millionFile());
}

// The reader alone on the million contacts already in memory (the parse, as
// a load does it after reading the file), in the Current mode; the Classic
// mode refuses the log at its record limit, so it is timed on the largest
// log it accepts (bench_reader). The target is 1 GB/s or more.
void BM_ParseMillionInMemory(benchmark::State &state, bool reused)
{
    const GeneratedFile &file = millionFile();
    std::string bytes(file.size(), '\0');
    std::ifstream(file.path(), std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // With `reused`, an untimed load first touches the memory the timed ones
    // fill (ReusedMemory): the parse alone.
    std::optional<vaziduvu::bench::ReusedMemory> reuse;
    if (reused) {
        reuse.emplace();
        AdifFile warm;
        warm.setMode(AdifMode::Current);
        warm.loadFromBytes(bytes);
    }
    for (auto _ : state) {
        auto adif = std::make_unique<AdifFile>();
        adif->setMode(AdifMode::Current);
        adif->loadFromBytes(bytes);
        if (!adif->result() || adif->recordCount() != file.contacts()) {
            state.SkipWithError("the generated log did not load");
            break;
        }
        benchmark::DoNotOptimize(adif->storedTagCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(file.size()));
}

BENCHMARK(BM_ReadLogbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLogbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);
BENCHMARK(BM_OpenMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);
BENCHMARK_CAPTURE(BM_ParseMillionInMemory, fresh_memory, false)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);
BENCHMARK_CAPTURE(BM_ParseMillionInMemory, reused_memory, true)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);

}  // namespace

BENCHMARK_MAIN();
