#include "export/writers.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace vaziduvu {
namespace {

using testing::ScriptedExportHost;
using testing::TempFolder;

const std::string kRefused = "Could not save file ... Target was CDROM or READ-ONLY device ...";

TEST(WriteExportFile, WritesTheTextByteForByte)
{
    TempFolder folder;
    ScriptedExportHost host;
    const std::string text("line\r\nnext\n\xE9\xFF end\0tail", 22);
    EXPECT_TRUE(WriteExportFile(folder.file("a.adi"), text, host));
    EXPECT_EQ(testing::readBytes(folder.file("a.adi")), text);
    EXPECT_EQ(host.drivePaths, (std::vector<std::string>{folder.file("a.adi")}));
    EXPECT_TRUE(host.plainMessages.empty());
}

TEST(WriteExportFile, EmptyTextGivesAnEmptyFile)
{
    TempFolder folder;
    ScriptedExportHost host;
    EXPECT_TRUE(WriteExportFile(folder.file("a.adi"), "", host));
    ASSERT_TRUE(testing::fileExists(folder.file("a.adi")));
    EXPECT_EQ(testing::readBytes(folder.file("a.adi")), "");
}

TEST(WriteExportFile, EmptyPathIsRefusedSilently)
{
    ScriptedExportHost host;
    EXPECT_FALSE(WriteExportFile("", "text", host));
    EXPECT_TRUE(host.plainMessages.empty());
    EXPECT_TRUE(host.drivePaths.empty());
}

TEST(WriteExportFile, NeverOverwritesAnExistingFile)
{
    TempFolder folder;
    ScriptedExportHost host;
    testing::writeBytes(folder.file("a.adi"), "original");
    EXPECT_FALSE(WriteExportFile(folder.file("a.adi"), "new text", host));
    EXPECT_EQ(testing::readBytes(folder.file("a.adi")), "original");
    EXPECT_TRUE(host.plainMessages.empty());
}

TEST(WriteExportFile, FileThatCannotBeCreatedFailsSilently)
{
    TempFolder folder;
    ScriptedExportHost host;
    EXPECT_FALSE(WriteExportFile(folder.file("missing/a.adi"), "text", host));
    EXPECT_TRUE(host.plainMessages.empty());
}

TEST(WriteExportFile, FailedWriteRemovesThePartialFile)
{
    TempFolder folder;
    ScriptedExportHost host;
    // Let the system cut the file short after 1,000 bytes.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = WriteExportFile(folder.file("big.adi"), std::string(100000, 'x'), host);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(testing::fileExists(folder.file("big.adi")));
}

struct DriveCase {
    DriveType drive;
    bool accepted;
};

class DriveTypes : public ::testing::TestWithParam<DriveCase> {};

TEST_P(DriveTypes, OnlyRemovableAndFixedDrivesAreWritten)
{
    TempFolder folder;
    ScriptedExportHost host;
    host.drive = GetParam().drive;
    EXPECT_EQ(WriteExportFile(folder.file("a.adi"), "text", host), GetParam().accepted);
    EXPECT_EQ(testing::fileExists(folder.file("a.adi")), GetParam().accepted);
    if (GetParam().accepted)
        EXPECT_TRUE(host.plainMessages.empty());
    else
        EXPECT_EQ(host.plainMessages, (std::vector<std::string>{kRefused}));
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, DriveTypes,
                         ::testing::Values(DriveCase{DriveType::Removable, true},
                                           DriveCase{DriveType::Fixed, true},
                                           DriveCase{DriveType::CdRom, false},
                                           DriveCase{DriveType::Remote, false},
                                           DriveCase{DriveType::RamDisk, false},
                                           DriveCase{DriveType::Unknown, false},
                                           DriveCase{DriveType::ReadOnly, false}));

}  // namespace
}  // namespace vaziduvu
