#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <optional>
#include <string>

#include <unistd.h>

namespace vaziduvu {
namespace {

constexpr uint64_t kKiB = 1024;

// --- /proc value lines -------------------------------------------------------

struct ProcValueCase {
    const char *name;
    std::string text;
    std::string key;
    std::optional<uint64_t> expected;
};

class ProcValueTest : public ::testing::TestWithParam<ProcValueCase> { };

TEST_P(ProcValueTest, ReadsOneKeyedLine)
{
    EXPECT_EQ(procValue(GetParam().text, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SystemInfo, ProcValueTest,
    ::testing::Values(
        ProcValueCase{"KilobytesBecomeBytes", "MemTotal:       16318480 kB\n", "MemTotal",
                      16318480 * kKiB},
        ProcValueCase{"TabAfterColon", "VmSize:\t  223344 kB\n", "VmSize", 223344 * kKiB},
        ProcValueCase{"WithoutUnitStaysAsIs", "HugePages_Total:       7\n", "HugePages_Total", 7},
        ProcValueCase{"LaterLine", "MemTotal: 1 kB\nMemFree: 2 kB\nMemAvailable: 3 kB\n",
                      "MemAvailable", 3 * kKiB},
        ProcValueCase{"LastLineWithoutNewline", "MemTotal: 1 kB\nSwapFree: 9 kB", "SwapFree",
                      9 * kKiB},
        ProcValueCase{"KeyIsNotAPrefixMatch", "MemTotalX: 5 kB\nMemTotal: 6 kB\n", "MemTotal",
                      6 * kKiB},
        ProcValueCase{"KeyMustStartTheLine", "XMemTotal: 5 kB\n", "MemTotal", std::nullopt},
        ProcValueCase{"MissingKey", "MemTotal: 5 kB\n", "MemAvailable", std::nullopt},
        ProcValueCase{"NotANumber", "MemTotal: lots kB\n", "MemTotal", std::nullopt},
        ProcValueCase{"EmptyValue", "MemTotal:\n", "MemTotal", std::nullopt},
        ProcValueCase{"EmptyText", "", "MemTotal", std::nullopt},
        ProcValueCase{"HugeValueIsCapped", "MemTotal: 99999999999999999999999 kB\n", "MemTotal",
                      UINT64_MAX},
        ProcValueCase{"ZeroIsAValue", "SwapFree:        0 kB\n", "SwapFree", 0}),
    [](const auto &info) { return std::string(info.param.name); });

// --- memory status -------------------------------------------------------------

const char *const kMeminfo = "MemTotal:       16318480 kB\n"
                             "MemFree:         1204000 kB\n"
                             "MemAvailable:    9000000 kB\n"
                             "Buffers:          300000 kB\n"
                             "Cached:          7000000 kB\n"
                             "SwapCached:            0 kB\n"
                             "SwapTotal:       2097148 kB\n"
                             "SwapFree:        2000000 kB\n"
                             "CommitLimit:    10256388 kB\n";

const char *const kOldKernelMeminfo = "MemTotal:        2048000 kB\n"
                                      "MemFree:          100000 kB\n"
                                      "Buffers:           20000 kB\n"
                                      "Cached:           300000 kB\n"
                                      "SwapFree:              0 kB\n";

const char *const kSelfStatus = "Name:\tvaziduvu\n"
                                "VmPeak:\t  600000 kB\n"
                                "VmSize:\t  500000 kB\n"
                                "VmRSS:\t   80000 kB\n";

struct MemoryCase {
    const char *name;
    std::string meminfo;
    std::string selfStatus;
    std::optional<uint64_t> limit;
    MemoryStatus expected;
};

class MemoryStatusTest : public ::testing::TestWithParam<MemoryCase> { };

TEST_P(MemoryStatusTest, CombinesMeminfoStatusAndLimit)
{
    const MemoryCase &c = GetParam();
    const MemoryStatus status = memoryStatusFromProc(c.meminfo, c.selfStatus, c.limit);
    EXPECT_EQ(status.ok, c.expected.ok);
    EXPECT_EQ(status.availablePhysical, c.expected.availablePhysical);
    EXPECT_EQ(status.totalPhysical, c.expected.totalPhysical);
    EXPECT_EQ(status.availableVirtual, c.expected.availableVirtual);
    EXPECT_EQ(status.availablePageFile, c.expected.availablePageFile);
}

INSTANTIATE_TEST_SUITE_P(
    SystemInfo, MemoryStatusTest,
    ::testing::Values(
        MemoryCase{"UnlimitedAddressSpace", kMeminfo, kSelfStatus, std::nullopt,
                   MemoryStatus{true, 9000000 * kKiB, 16318480 * kKiB,
                                kUserAddressSpace - 500000 * kKiB, 11000000 * kKiB}},
        MemoryCase{"AddressSpaceLimit", kMeminfo, kSelfStatus, uint64_t(4) << 30,
                   MemoryStatus{true, 9000000 * kKiB, 16318480 * kKiB,
                                (uint64_t(4) << 30) - 500000 * kKiB, 11000000 * kKiB}},
        MemoryCase{"LimitBelowUseLeavesNoRoom", kMeminfo, kSelfStatus, 100000 * kKiB,
                   MemoryStatus{true, 9000000 * kKiB, 16318480 * kKiB, 0, 11000000 * kKiB}},
        MemoryCase{"UnreadableSelfStatusCountsNoUse", kMeminfo, "", std::nullopt,
                   MemoryStatus{true, 9000000 * kKiB, 16318480 * kKiB, kUserAddressSpace,
                                11000000 * kKiB}},
        MemoryCase{"KernelWithoutMemAvailable", kOldKernelMeminfo, kSelfStatus, std::nullopt,
                   MemoryStatus{true, 420000 * kKiB, 2048000 * kKiB,
                                kUserAddressSpace - 500000 * kKiB, 420000 * kKiB}},
        MemoryCase{"NoSwapLine", "MemTotal: 1000 kB\nMemAvailable: 400 kB\n", kSelfStatus,
                   std::nullopt,
                   MemoryStatus{true, 400 * kKiB, 1000 * kKiB, kUserAddressSpace - 500000 * kKiB,
                                400 * kKiB}},
        MemoryCase{"UnreadableMeminfo", "", kSelfStatus, std::nullopt, MemoryStatus{}},
        MemoryCase{"NoTotal", "MemAvailable: 400 kB\n", kSelfStatus, std::nullopt, MemoryStatus{}},
        MemoryCase{"NoFreeMemoryFigure", "MemTotal: 1000 kB\nSwapFree: 5 kB\n", kSelfStatus,
                   std::nullopt, MemoryStatus{}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SystemInfo, TheRunningSystemReportsMemory)
{
    const MemoryStatus status = readMemoryStatus();
    ASSERT_TRUE(status.ok);
    EXPECT_GT(status.totalPhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    EXPECT_GE(status.availablePageFile, status.availablePhysical);
    EXPECT_GT(status.availableVirtual, 0u);
}

// --- file-system kinds ---------------------------------------------------------

struct FileSystemCase {
    const char *name;
    uint64_t magic;
    bool readOnly;
    std::string mountType;
    DriveType expected;
};

class FileSystemKindTest : public ::testing::TestWithParam<FileSystemCase> { };

TEST_P(FileSystemKindTest, MapsMagicAndReadOnlyFlag)
{
    const FileSystemCase &c = GetParam();
    EXPECT_EQ(driveTypeOfFileSystem(c.magic, c.readOnly, c.mountType), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SystemInfo, FileSystemKindTest,
    ::testing::Values(
        FileSystemCase{"Ext4", 0xEF53, false, "ext4", DriveType::Fixed},
        FileSystemCase{"Xfs", 0x58465342, false, "xfs", DriveType::Fixed},
        FileSystemCase{"Btrfs", 0x9123683E, false, "btrfs", DriveType::Fixed},
        FileSystemCase{"Overlay", 0x794C7630, false, "overlay", DriveType::Fixed},
        FileSystemCase{"Tmpfs", 0x01021994, false, "tmpfs", DriveType::Fixed},
        FileSystemCase{"Ramfs", 0x858458F6, false, "ramfs", DriveType::Fixed},
        FileSystemCase{"Zfs", 0x2FC12FC1, false, "zfs", DriveType::Fixed},
        FileSystemCase{"Vfat", 0x4D44, false, "vfat", DriveType::Fixed},
        FileSystemCase{"Exfat", 0x2011BAB0, false, "exfat", DriveType::Fixed},
        FileSystemCase{"Ntfs3", 0x7366746E, false, "ntfs3", DriveType::Fixed},
        FileSystemCase{"F2fs", 0xF2F52010, false, "f2fs", DriveType::Fixed},
        FileSystemCase{"UnknownLocal", 0x12345678, false, "", DriveType::Fixed},
        FileSystemCase{"Iso9660", 0x9660, true, "iso9660", DriveType::CdRom},
        FileSystemCase{"Udf", 0x15013346, true, "udf", DriveType::CdRom},
        FileSystemCase{"UdfWritable", 0x15013346, false, "udf", DriveType::CdRom},
        FileSystemCase{"Nfs", 0x6969, false, "nfs4", DriveType::Remote},
        FileSystemCase{"Smb", 0x517B, false, "smbfs", DriveType::Remote},
        FileSystemCase{"Cifs", 0xFF534D42, false, "cifs", DriveType::Remote},
        FileSystemCase{"Smb2", 0xFE534D42, false, "smb3", DriveType::Remote},
        FileSystemCase{"CifsSignExtended", 0xFFFFFFFFFF534D42, false, "cifs", DriveType::Remote},
        FileSystemCase{"Afs", 0x5346414F, false, "afs", DriveType::Remote},
        FileSystemCase{"Coda", 0x73757245, false, "coda", DriveType::Remote},
        FileSystemCase{"Ncp", 0x564C, false, "ncpfs", DriveType::Remote},
        FileSystemCase{"NineP", 0x01021997, false, "9p", DriveType::Remote},
        FileSystemCase{"Ceph", 0x00C36400, false, "ceph", DriveType::Remote},
        FileSystemCase{"Sshfs", 0x65735546, false, "fuse.sshfs", DriveType::Remote},
        FileSystemCase{"Rclone", 0x65735546, false, "fuse.rclone", DriveType::Remote},
        FileSystemCase{"LocalFuse", 0x65735546, false, "fuse.gocryptfs", DriveType::Fixed},
        FileSystemCase{"FuseBlock", 0x65735546, false, "fuseblk", DriveType::Fixed},
        FileSystemCase{"FuseUnknownType", 0x65735546, false, "", DriveType::Fixed},
        FileSystemCase{"ReadOnlyExt4", 0xEF53, true, "ext4", DriveType::ReadOnly},
        FileSystemCase{"ReadOnlyNfs", 0x6969, true, "nfs", DriveType::ReadOnly},
        FileSystemCase{"Squashfs", 0x73717368, true, "squashfs", DriveType::ReadOnly},
        FileSystemCase{"ReadOnlySshfs", 0x65735546, true, "fuse.sshfs", DriveType::ReadOnly}),
    [](const auto &info) { return std::string(info.param.name); });

// --- kernel release ------------------------------------------------------------

struct ReleaseCase {
    std::string release;
    int expected;
};

class KernelReleaseTest : public ::testing::TestWithParam<ReleaseCase> { };

TEST_P(KernelReleaseTest, MajorNumberNeverBelowFive)
{
    EXPECT_EQ(osMajorVersionFromRelease(GetParam().release), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SystemInfo, KernelReleaseTest,
                         ::testing::Values(ReleaseCase{"6.1.0-18-amd64", 6},
                                           ReleaseCase{"5.15.0-91-generic", 5},
                                           ReleaseCase{"10.2.1", 10},
                                           ReleaseCase{"4.19.0-26-amd64", 5},
                                           ReleaseCase{"3.10.0-1160.el7.x86_64", 5},
                                           ReleaseCase{"", 5}, ReleaseCase{"linux", 5}));

// --- probes on the real file system ---------------------------------------------

class FileSystemProbeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string path(const QString &relative) const
    {
        return QFile::encodeName(dir_.filePath(relative)).toStdString();
    }
    QTemporaryDir dir_;
};

TEST_F(FileSystemProbeTest, MissingFoldersAreJudgedByTheirNearestExistingAncestor)
{
    const DriveType folderKind = driveTypeOfPath(path(QStringLiteral(".")));
    ASSERT_NE(folderKind, DriveType::Unknown);
    EXPECT_EQ(driveTypeOfPath(path(QStringLiteral("no/such/folder/LOG.ADI"))), folderKind);
    EXPECT_EQ(driveTypeOfPath(path(QStringLiteral("NEW.ADI"))), folderKind);
}

TEST_F(FileSystemProbeTest, AFileIsJudgedByItsFolder)
{
    QFile file(dir_.filePath(QStringLiteral("LOG.ADI")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(driveTypeOfPath(path(QStringLiteral("LOG.ADI"))),
              driveTypeOfPath(path(QStringLiteral("."))));
    // A name below a file cannot exist; its folder is still found.
    EXPECT_EQ(driveTypeOfPath(path(QStringLiteral("LOG.ADI/X.ADI"))),
              driveTypeOfPath(path(QStringLiteral("."))));
}

TEST_F(FileSystemProbeTest, RelativePathsStartAtTheCurrentDirectory)
{
    const std::string saved = workingDirectory();
    ASSERT_FALSE(saved.empty());
    ASSERT_EQ(::chdir(path(QStringLiteral(".")).c_str()), 0);
    EXPECT_EQ(workingDirectory(),
              QFile::encodeName(QDir(dir_.path()).canonicalPath()).toStdString());
    EXPECT_EQ(driveTypeOfPath("missing/NEW.ADI"), driveTypeOfPath(path(QStringLiteral("."))));
    EXPECT_EQ(driveTypeOfPath(""), driveTypeOfPath(path(QStringLiteral("."))));
    ASSERT_EQ(::chdir(saved.c_str()), 0);
}

TEST_F(FileSystemProbeTest, VirtualFoldersAndMissingRootsAreStillKnown)
{
    // A virtual file system is still a local one; only a failed query is
    // Unknown, and every path has at least the root as ancestor.
    EXPECT_NE(driveTypeOfPath("/proc/self"), DriveType::Unknown);
    EXPECT_NE(driveTypeOfPath("/no-such-root-folder/x.adi"), DriveType::Unknown);
}

TEST_F(FileSystemProbeTest, FreeSpaceOfAnExistingFolderOnly)
{
    EXPECT_TRUE(freeBytesOf(path(QStringLiteral("."))).has_value());
    EXPECT_TRUE(freeBytesOf("").has_value());
    EXPECT_FALSE(freeBytesOf(path(QStringLiteral("missing"))).has_value());
}

TEST_F(FileSystemProbeTest, ExistenceCountsEveryKindOfName)
{
    QFile file(dir_.filePath(QStringLiteral("LOG.ADI")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::symlink("nowhere.adi", path(QStringLiteral("LINK.ADI")).c_str()), 0);

    EXPECT_TRUE(pathExists(path(QStringLiteral("LOG.ADI"))));
    EXPECT_FALSE(pathExists(path(QStringLiteral("log.adi"))));  // names are case-sensitive
    EXPECT_TRUE(pathExists(path(QStringLiteral("."))));
    EXPECT_TRUE(pathExists(path(QStringLiteral("LINK.ADI"))));  // dangling link: name taken
    EXPECT_FALSE(pathExists(path(QStringLiteral("NEW.ADI"))));
    EXPECT_FALSE(pathExists(""));
}

}  // namespace
}  // namespace vaziduvu
