#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace vaziduvu {

// Asks the system to back a large buffer that nothing has touched yet with
// large pages. Filling tens of megabytes page by page costs more than the
// work done on them (each first touch of a small page is a fault); with large
// pages a whole logbook loads several times faster. Only the part aligned to
// the large-page size is advised; elsewhere, or where the system declines,
// nothing changes.
inline void adviseLargeBuffer(const void *data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
    if (bytes < 2 * kLargePage)
        return;
    const uintptr_t begin
        = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace vaziduvu
