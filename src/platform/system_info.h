#pragma once

#include "export/file_system.h"
#include "platform/platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vaziduvu {

// The system services of the Linux platform. The parsing and the mapping
// are pure functions of their inputs (texts of /proc files, file-system
// magic numbers) so the tests can feed them any machine's values; the probe
// functions below them read the running system.

// Room of a 64-bit process when no address-space limit is set: the 47-bit
// user half of the x86-64 and AArch64 address space.
constexpr uint64_t kUserAddressSpace = uint64_t(1) << 47;

// The value of the line "<key>: <number> [kB]" of a /proc text
// (/proc/meminfo, /proc/self/status), in bytes when the line carries the kB
// unit. nullopt when no line has that key or its value is not a number.
// Values too large for 64 bits are capped at the largest value.
std::optional<uint64_t> procValue(std::string_view text, std::string_view key);

// Memory status from the text of /proc/meminfo, the text of
// /proc/self/status and the soft RLIMIT_AS (nullopt: unlimited).
//  - availablePhysical: MemAvailable (kernels before 3.14 lack it: MemFree +
//    Buffers + Cached);
//  - totalPhysical: MemTotal;
//  - availablePageFile: what may still be committed, MemAvailable + SwapFree;
//  - availableVirtual: the address-space room left to this process, the
//    limit (or kUserAddressSpace) less VmSize, never below 0.
// ok is false when MemTotal or every measure of free memory is missing
// (an empty or unreadable /proc/meminfo).
MemoryStatus memoryStatusFromProc(std::string_view meminfo, std::string_view selfStatus,
                                  std::optional<uint64_t> addressSpaceLimit);

// The major number of a kernel release ("6.1.0-18-amd64" -> 6). Every
// Linux the program supports passes the start-up version check, which asks
// for 5 or higher, so the result is never below 5 (also for an unreadable
// release).
int osMajorVersionFromRelease(std::string_view release);

// --- probes of the running system ----------------------------------------
MemoryStatus readMemoryStatus();
// f_bavail * f_frsize of the folder's file system ("" = current directory);
// nullopt when statvfs fails.
std::optional<uint64_t> freeBytesOf(const std::string &folder);
int kernelMajorVersion();

}  // namespace vaziduvu
