#include "export/writers.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace vaziduvu {
namespace {

using test::ScriptedExportHost;
using test::TempFolder;

const std::string kRefused = "Could not save file ... Target was CDROM or READ-ONLY device ...";

TEST(writeExportFile, WritesTheTextByteForByte)
{
    TempFolder folder;
    ScriptedExportHost host;
    const std::string text("line\r\nnext\n\xE9\xFF end\0tail", 22);
    EXPECT_TRUE(writeExportFile(folder.file("a.adi"), text, host));
    EXPECT_EQ(test::readBytes(folder.file("a.adi")), text);
    EXPECT_EQ(host.drivePaths, (std::vector<std::string>{folder.file("a.adi")}));
    EXPECT_TRUE(host.plainMessages.empty());
}

TEST(writeExportFile, LeavesNoTemporaryFileAndGivesTheUsualMode)
{
    TempFolder folder;
    ScriptedExportHost host;
    ASSERT_TRUE(writeExportFile(folder.file("a.adi"), "text", host));
    EXPECT_EQ(test::filesIn(folder.path()), (std::vector<std::string>{"a.adi"}));
    struct stat info { };
    ASSERT_EQ(stat(folder.file("a.adi").c_str(), &info), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(writeExportFile, EmptyTextGivesAnEmptyFile)
{
    TempFolder folder;
    ScriptedExportHost host;
    EXPECT_TRUE(writeExportFile(folder.file("a.adi"), "", host));
    ASSERT_TRUE(test::fileExists(folder.file("a.adi")));
    EXPECT_EQ(test::readBytes(folder.file("a.adi")), "");
}

TEST(writeExportFile, EmptyPathIsRefusedSilently)
{
    ScriptedExportHost host;
    EXPECT_FALSE(writeExportFile("", "text", host));
    EXPECT_TRUE(host.plainMessages.empty());
    EXPECT_TRUE(host.drivePaths.empty());
}

// Every refusal names its cause and leaves the folder as it was: no file
// under the name, no temporary file beside it, an existing file untouched.
struct FailureCase {
    const char *title;
    std::string name;
    const char *expectedReason;  // part of the reason
};

class WriteFailures : public ::testing::TestWithParam<FailureCase> { };

TEST_P(WriteFailures, NameTheCauseAndLeaveNothingBehind)
{
    const FailureCase &c = GetParam();
    TempFolder folder;
    ScriptedExportHost host;
    test::writeBytes(folder.file("a.adi"), "original");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const std::string title = c.title;
    if (title == "FileSizeLimit") {
        rlimit limited = saved;
        limited.rlim_cur = 1000;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    const ExportResult result
        = writeExportFile(folder.file(c.name), std::string(100000, 'x'), host);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.status, ExportStatus::Refused);
    EXPECT_NE(result.reason.find(c.expectedReason), std::string::npos) << result.reason;
    EXPECT_EQ(test::readBytes(folder.file("a.adi")), "original");
    EXPECT_EQ(test::filesIn(folder.path()), (std::vector<std::string>{"a.adi"}));
    EXPECT_TRUE(host.plainMessages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, WriteFailures,
    ::testing::Values(FailureCase{"ExistingFile", "a.adi", "a.adi already exists"},
                      FailureCase{"MissingFolder", "missing/b.adi", "/missing does not exist"},
                      FailureCase{"FileSizeLimit", "big.adi", "larger than this system allows"},
                      FailureCase{"NameTooLong", std::string(300, 'n') + ".adi",
                                  "name is too long"}),
    [](const auto &info) { return std::string(info.param.title); });

struct DriveCase {
    DriveType drive;
    bool accepted;
};

class DriveTypes : public ::testing::TestWithParam<DriveCase> { };

TEST_P(DriveTypes, OnlyRemovableAndFixedDrivesAreWritten)
{
    TempFolder folder;
    ScriptedExportHost host;
    host.drive = GetParam().drive;
    EXPECT_EQ(static_cast<bool>(writeExportFile(folder.file("a.adi"), "text", host)),
              GetParam().accepted);
    EXPECT_EQ(test::fileExists(folder.file("a.adi")), GetParam().accepted);
    if (GetParam().accepted)
        EXPECT_TRUE(host.plainMessages.empty());
    else
        EXPECT_EQ(host.plainMessages, (std::vector<std::string>{kRefused}));
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DriveTypes,
    ::testing::Values(DriveCase{DriveType::Removable, true}, DriveCase{DriveType::Fixed, true},
                      DriveCase{DriveType::CdRom, false}, DriveCase{DriveType::Remote, false},
                      DriveCase{DriveType::RamDisk, false}, DriveCase{DriveType::Unknown, false},
                      DriveCase{DriveType::ReadOnly, false}));

}  // namespace
}  // namespace vaziduvu
