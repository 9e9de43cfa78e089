#pragma once

// What every benchmark program shares: the length of a run (a full run, or
// the quick pass CI makes to see that every benchmark still runs to its
// end), the size of the generated logbook, and the process's memory.
//
// VAZIDUVU_BENCH_QUICK=1 makes the quick pass: one iteration of each
// benchmark on a small logbook. Its figures mean nothing.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace vaziduvu::bench {

inline bool quickRun()
{
    const char *quick = std::getenv("VAZIDUVU_BENCH_QUICK");
    return quick && *quick && std::strcmp(quick, "0") != 0;
}

// Contacts of the generated whole logbook: 100,000, or a few in a quick run.
inline int logbookContacts()
{
    return quickRun() ? 2000 : 100000;
}

// Contacts of the generated million log (generated_million.h): 1,000,000,
// or a few in a quick run.
inline int millionContacts()
{
    return quickRun() ? 2000 : 1000000;
}

// A benchmark that runs for at least Tenths / 10 seconds; once in a quick run.
template <int Tenths> void lasting(benchmark::internal::Benchmark *benchmark)
{
    if (quickRun())
        benchmark->Iterations(1);
    else
        benchmark->MinTime(Tenths / 10.0);
}

// A benchmark that runs Count times; once in a quick run.
template <int Count> void repeated(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Iterations(quickRun() ? 1 : Count);
}

// While it lives, memory a loop frees stays with the process and serves the
// next round, so a loop over a large load times the work and not the
// system's first touch of fresh pages, which on a virtual machine can cost
// as much as the parse itself. The first round still pays for the pages.
class ReusedMemory {
public:
    ReusedMemory()
    {
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, INT_MAX);
    }
    ~ReusedMemory()
    {
        mallopt(M_MMAP_MAX, 65536);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        malloc_trim(0);
    }
    ReusedMemory(const ReusedMemory &) = delete;
    ReusedMemory &operator=(const ReusedMemory &) = delete;
};

// A line of /proc/self/status in kilobytes ("VmRSS:", "VmHWM:").
inline int64_t memoryKb(const char *key)
{
    std::ifstream status("/proc/self/status");
    const size_t keyLength = std::strlen(key);
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, keyLength, key) == 0)
            return std::atoll(line.c_str() + keyLength);
    }
    return 0;
}

// The peak resident memory since the last call, in bytes: the kernel's
// high-water mark, which writing 5 to clear_refs sets back to the current
// resident size.
inline int64_t residentPeakSinceLastCall()
{
    const int64_t peakKb = memoryKb("VmHWM:");
    std::ofstream("/proc/self/clear_refs") << "5";
    return peakKb * 1024;
}

}  // namespace vaziduvu::bench
