#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace vaziduvu {

// What the program needs around it to start: enough memory of every kind
// and some free room on the disk of the current directory. A query that
// fails counts as too little.
inline bool enoughResourcesToStart(Platform &platform)
{
    constexpr uint64_t kVirtual = 100000000;
    constexpr uint64_t kPhysical = 20000000;
    constexpr uint64_t kPageFile = 100000000;
    constexpr uint64_t kDisk = 10000000;
    constexpr uint64_t kTotalPhysical = 100000000;

    const MemoryStatus memory = platform.memoryStatus();
    if (!memory.ok)
        return false;
    const std::optional<uint64_t> disk = platform.freeDiskSpace(platform.currentDirectory());
    if (!disk)
        return false;
    return memory.availableVirtual >= kVirtual && memory.availablePhysical >= kPhysical
        && memory.availablePageFile >= kPageFile && *disk >= kDisk
        && memory.totalPhysical >= kTotalPhysical;
}

}  // namespace vaziduvu
