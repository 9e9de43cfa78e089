#include "platform/system_info.h"
#include "adif/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>

namespace vaziduvu {

namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

uint64_t saturatingAdd(uint64_t a, uint64_t b)
{
    return a > kMax - b ? kMax : a + b;
}

uint64_t saturatingMultiply(uint64_t a, uint64_t b)
{
    if (a != 0 && b > kMax / a)
        return kMax;
    return a * b;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool readWholeFile(const char *path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::optional<uint64_t> procValue(std::string_view text, std::string_view key)
{
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;

        if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0
            || line[key.size()] != ':')
            continue;
        size_t pos = key.size() + 1;
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos == line.size() || !isAsciiDigit(line[pos]))
            return std::nullopt;
        uint64_t value = 0;
        for (; pos < line.size() && isAsciiDigit(line[pos]); ++pos)
            value = saturatingAdd(saturatingMultiply(value, 10), uint64_t(line[pos] - '0'));
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const std::string_view unit = line.substr(pos);
        if (unit == "kB" || unit == "kB\r")
            value = saturatingMultiply(value, 1024);
        return value;
    }
    return std::nullopt;
}

MemoryStatus memoryStatusFromProc(std::string_view meminfo, std::string_view selfStatus,
                                  std::optional<uint64_t> addressSpaceLimit)
{
    MemoryStatus status;
    const auto total = procValue(meminfo, "MemTotal");
    auto available = procValue(meminfo, "MemAvailable");
    if (!available) {
        const auto memFree = procValue(meminfo, "MemFree");
        if (memFree)
            available
                = saturatingAdd(saturatingAdd(*memFree, procValue(meminfo, "Buffers").value_or(0)),
                                procValue(meminfo, "Cached").value_or(0));
    }
    if (!total || !available)
        return status;

    status.totalPhysical = *total;
    status.availablePhysical = *available;
    status.availablePageFile
        = saturatingAdd(*available, procValue(meminfo, "SwapFree").value_or(0));

    const uint64_t limit = addressSpaceLimit.value_or(kUserAddressSpace);
    const uint64_t used = procValue(selfStatus, "VmSize").value_or(0);
    status.availableVirtual = limit > used ? limit - used : 0;
    status.ok = true;
    return status;
}

int osMajorVersionFromRelease(std::string_view release)
{
    constexpr int kLowestPassing = 5;
    int major = 0;
    size_t pos = 0;
    for (; pos < release.size() && isAsciiDigit(release[pos]) && major < 100000; ++pos)
        major = major * 10 + (release[pos] - '0');
    return std::max(major, kLowestPassing);
}

MemoryStatus readMemoryStatus()
{
    std::string meminfo;
    if (!readWholeFile("/proc/meminfo", meminfo))
        return MemoryStatus{};
    std::string selfStatus;
    readWholeFile("/proc/self/status", selfStatus);  // without it VmSize counts as 0

    std::optional<uint64_t> limit;
    struct rlimit rl { };
    if (::getrlimit(RLIMIT_AS, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY)
        limit = static_cast<uint64_t>(rl.rlim_cur);
    return memoryStatusFromProc(meminfo, selfStatus, limit);
}

std::optional<uint64_t> freeBytesOf(const std::string &folder)
{
    struct statvfs vfs { };
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &vfs) != 0)
        return std::nullopt;
    return saturatingMultiply(static_cast<uint64_t>(vfs.f_bavail),
                              static_cast<uint64_t>(vfs.f_frsize));
}

int kernelMajorVersion()
{
    struct utsname names { };
    if (::uname(&names) != 0)
        return osMajorVersionFromRelease({});
    return osMajorVersionFromRelease(names.release);
}

}  // namespace vaziduvu
