#include "platform/system_info.h"

#include <QFile>
#include <QStorageInfo>

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
    bool isDigit(char c)
    {
        return c >= '0' && c <= '9';
    }

    // statfs magic numbers (the kernel's, some of them not in every
    // linux/magic.h).
    constexpr uint32_t kIsoFs = 0x9660;
    constexpr uint32_t kUdf = 0x15013346;
    constexpr uint32_t kFuse = 0x65735546;

    constexpr std::array<uint32_t, 14> kNetworkFileSystems = {
        0x6969, // nfs
        0x517B, // smb
        0xFF534D42, // cifs
        0xFE534D42, // smb2
        0x5346414F, // afs (OpenAFS)
        0x6B414653, // kafs
        0x73757245, // coda
        0x564C, // ncp
        0x01021997, // 9p
        0x00C36400, // ceph
        0x0BD00BD0, // lustre
        0x47504653, // gpfs
        0x20030528, // orangefs / pvfs2
        0x01161970, // gfs2 (shared cluster storage)
    };

    // FUSE file systems that reach their files over the network; the mount type
    // is "fuse.<name>".
    constexpr std::array<std::string_view, 14> kNetworkFuseTypes = {
        "sshfs",
        "curlftpfs",
        "rclone",
        "s3fs",
        "gcsfuse",
        "davfs",
        "smbnetfs",
        "ceph-fuse",
        "glusterfs",
        "goofys",
        "blobfuse",
        "blobfuse2",
        "gvfsd-fuse",
        "onedriver",
    };

    bool readWholeFile(const char *path, std::string &text)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    }

} // namespace

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
        if (pos == line.size() || !isDigit(line[pos]))
            return std::nullopt;
        uint64_t value = 0;
        for (; pos < line.size() && isDigit(line[pos]); ++pos)
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

DriveType driveTypeOfFileSystem(uint64_t magic, bool readOnly, std::string_view mountType)
{
    // Magic numbers are 32-bit; f_type may arrive sign-extended.
    const auto type = static_cast<uint32_t>(magic & 0xFFFFFFFFu);
    if (type == kIsoFs || type == kUdf)
        return DriveType::CdRom;
    if (readOnly)
        return DriveType::ReadOnly;
    if (std::find(kNetworkFileSystems.begin(), kNetworkFileSystems.end(), type)
        != kNetworkFileSystems.end())
        return DriveType::Remote;
    if (type == kFuse) {
        constexpr std::string_view prefix = "fuse.";
        if (mountType.substr(0, prefix.size()) == prefix) {
            const std::string_view subtype = mountType.substr(prefix.size());
            if (std::find(kNetworkFuseTypes.begin(), kNetworkFuseTypes.end(), subtype)
                != kNetworkFuseTypes.end())
                return DriveType::Remote;
        }
    }
    return DriveType::Fixed;
}

int osMajorVersionFromRelease(std::string_view release)
{
    constexpr int kLowestPassing = 5;
    int major = 0;
    size_t pos = 0;
    for (; pos < release.size() && isDigit(release[pos]) && major < 100000; ++pos)
        major = major * 10 + (release[pos] - '0');
    return std::max(major, kLowestPassing);
}

MemoryStatus readMemoryStatus()
{
    std::string meminfo;
    if (!readWholeFile("/proc/meminfo", meminfo))
        return MemoryStatus {};
    std::string selfStatus;
    readWholeFile("/proc/self/status", selfStatus); // without it VmSize counts as 0

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
    return saturatingMultiply(
        static_cast<uint64_t>(vfs.f_bavail), static_cast<uint64_t>(vfs.f_frsize));
}

DriveType driveTypeOfPath(const std::string &path)
{
    std::filesystem::path folder(path.empty() ? std::string(".") : path);
    if (folder.is_relative()) {
        const std::string cwd = workingDirectory();
        if (cwd.empty())
            return DriveType::Unknown;
        folder = std::filesystem::path(cwd) / folder;
    }
    for (;;) {
        struct stat st { };
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            break;
        std::filesystem::path parent = folder.parent_path();
        if (parent.empty() || parent == folder)
            return DriveType::Unknown;
        folder = std::move(parent);
    }

    struct statfs fs { };
    if (::statfs(folder.c_str(), &fs) != 0)
        return DriveType::Unknown;
    struct statvfs vfs { };
    const bool readOnly = ::statvfs(folder.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0;
    const auto magic = static_cast<uint64_t>(static_cast<unsigned long>(fs.f_type));

    std::string mountType;
    if ((magic & 0xFFFFFFFFu) == kFuse)
        mountType = QStorageInfo(QFile::decodeName(folder.c_str())).fileSystemType().toStdString();
    return driveTypeOfFileSystem(magic, readOnly, mountType);
}

int kernelMajorVersion()
{
    struct utsname names { };
    if (::uname(&names) != 0)
        return osMajorVersionFromRelease({});
    return osMajorVersionFromRelease(names.release);
}

std::string workingDirectory()
{
    std::error_code error;
    std::filesystem::path cwd = std::filesystem::current_path(error);
    if (error)
        return {};
    return cwd.native();
}

bool pathExists(const std::string &path)
{
    if (path.empty())
        return false;
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace vaziduvu
