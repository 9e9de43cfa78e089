#include "export/file_system.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>

namespace vaziduvu {

namespace {

// statfs magic numbers (the kernel's, some of them not in every
// linux/magic.h).
constexpr uint32_t kIsoFs = 0x9660;
constexpr uint32_t kUdf = 0x15013346;
constexpr uint32_t kFuse = 0x65735546;

constexpr std::array<uint32_t, 14> kNetworkFileSystems = {
    0x6969,      // nfs
    0x517B,      // smb
    0xFF534D42,  // cifs
    0xFE534D42,  // smb2
    0x5346414F,  // afs (OpenAFS)
    0x6B414653,  // kafs
    0x73757245,  // coda
    0x564C,      // ncp
    0x01021997,  // 9p
    0x00C36400,  // ceph
    0x0BD00BD0,  // lustre
    0x47504653,  // gpfs
    0x20030528,  // orangefs / pvfs2
    0x01161970,  // gfs2 (shared cluster storage)
};

// FUSE file systems that reach their files over the network; the mount type
// is "fuse.<name>".
constexpr std::array<std::string_view, 14> kNetworkFuseTypes = {
    "sshfs",     "curlftpfs", "rclone", "s3fs",     "gcsfuse",   "davfs",      "smbnetfs",
    "ceph-fuse", "glusterfs", "goofys", "blobfuse", "blobfuse2", "gvfsd-fuse", "onedriver",
};

// /proc/self/mounts writes blanks and a few other bytes in names as \ooo.
std::string unescapeMountField(const std::string &field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) {
                    return c >= '0' && c <= '7';
                })) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

}  // namespace

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

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string mountTypeOf(const std::string &folder)
{
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    std::string bestType;
    size_t bestLength = 0;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, point, type;
        if (!(fields >> device >> point >> type))
            continue;
        point = unescapeMountField(point);
        const bool holds = folder == point
            || (folder.compare(0, point.size(), point) == 0
                && (point == "/" || folder[point.size()] == '/'));
        if (holds && point.size() >= bestLength) {
            bestLength = point.size();
            bestType = type;
        }
    }
    return bestType;
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
        mountType = mountTypeOf(folder.native());
    return driveTypeOfFileSystem(magic, readOnly, mountType);
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

}  // namespace vaziduvu
