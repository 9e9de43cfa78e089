#include "export/save_flow.h"

#include "export/writers.h"
#include "export_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;
using test::ScriptedExportHost;
using test::TempFolder;

struct TypeCase {
    std::string path;
    std::string extension;
    ExtensionPlace result;
};

class TypeTest : public ::testing::TestWithParam<TypeCase> { };

TEST_P(TypeTest, FirstOccurrenceDecides)
{
    EXPECT_EQ(extensionPlace(GetParam().path, GetParam().extension), GetParam().result)
        << GetParam().path << " " << GetParam().extension;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypeTest,
    ::testing::Values(TypeCase{"LOG.XML", ".XML", ExtensionPlace::AtEnd},
                      TypeCase{"/tmp/log.xml", ".XML", ExtensionPlace::AtEnd},
                      TypeCase{"LOG.XMLX", ".XML",
                               ExtensionPlace::AtEnd},  // one character may follow
                      TypeCase{"LOG.XMLXY", ".XML", ExtensionPlace::Elsewhere},
                      TypeCase{"LOG.HTM", ".HTM", ExtensionPlace::AtEnd},
                      TypeCase{"/tmp/Log.Html", ".HTM", ExtensionPlace::AtEnd},
                      TypeCase{"LOG.HTML", ".XML", ExtensionPlace::Absent},
                      TypeCase{"LOG.ADI", ".XML", ExtensionPlace::Absent},
                      TypeCase{"LOG.ADI", ".HTM", ExtensionPlace::Absent},
                      TypeCase{"LOG.BADI", ".HTM", ExtensionPlace::Absent},
                      TypeCase{"C:\\A.XML\\B.XML", ".XML", ExtensionPlace::Elsewhere},
                      TypeCase{"/tmp/OLD.HTM/LOG.ADI", ".HTM", ExtensionPlace::Elsewhere},
                      TypeCase{"/tmp/old.htm/log.html", ".HTM", ExtensionPlace::Elsewhere},
                      TypeCase{".XML", ".XML", ExtensionPlace::AtEnd},
                      TypeCase{"LOG.XM", ".XML", ExtensionPlace::Absent},
                      TypeCase{"", ".XML", ExtensionPlace::Absent}));

struct CompanionCase {
    std::string path;
    std::string companion;
};

class Companion : public ::testing::TestWithParam<CompanionCase> { };

TEST_P(Companion, CutsAtTheLastPointOfTheFileName)
{
    EXPECT_EQ(companionName(GetParam().path), GetParam().companion);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Companion,
    ::testing::Values(CompanionCase{"C:\\LOGS\\CONTEST.XML", "C:\\LOGS\\CONTEST.BADI"},
                      CompanionCase{"/home/u/.local/LOG.XML", "/home/u/.local/LOG.BADI"},
                      CompanionCase{"/tmp/a.b/LOG", "/tmp/a.b/LOG.BADI"},
                      CompanionCase{"C:\\A.B\\LOG", "C:\\A.B\\LOG.BADI"},
                      CompanionCase{"/tmp/log.2004.html", "/tmp/log.2004.BADI"},
                      CompanionCase{"/tmp/log.htm", "/tmp/log.BADI"},
                      CompanionCase{"LOG.XML", "LOG.BADI"}, CompanionCase{"LOG", "LOG.BADI"}));

struct PlanCase {
    std::string target;
    ExportFormat format;
    std::string companion;
    bool refused;
    int passes;
};

class Plan : public ::testing::TestWithParam<PlanCase> { };

TEST_P(Plan, DecidedOnceFromTheTarget)
{
    const ExportPlan plan = planExport(GetParam().target);
    EXPECT_EQ(plan.format, GetParam().format);
    EXPECT_EQ(plan.companion, GetParam().companion);
    EXPECT_EQ(plan.refused(), GetParam().refused);
    EXPECT_EQ(plan.passes(), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Plan,
    ::testing::Values(PlanCase{"/tmp/log.adi", ExportFormat::Adif, "", false, 2},
                      PlanCase{"/tmp/log.badi", ExportFormat::Adif, "", false, 2},
                      PlanCase{"/tmp/log.xml", ExportFormat::Xml, "/tmp/log.BADI", false, 4},
                      PlanCase{"/tmp/Log.Html", ExportFormat::Html, "/tmp/Log.BADI", false, 4},
                      PlanCase{"/tmp/old.htm/log.adi", ExportFormat::Adif, "", true, 2},
                      PlanCase{"/tmp/a.xml/log", ExportFormat::Adif, "", false, 2}));

TEST(saveNotice, WarnsAboutLengthSpecifiersOnlyWhenThereAreAny)
{
    EXPECT_EQ(saveNotice(false),
              std::make_pair(std::string("Information:"),
                             std::string("We will now create a new unique export file ...  \r\n "
                                         "Your original file will not be altered. ")));
    EXPECT_EQ(saveNotice(true),
              std::make_pair(std::string("Problem:"),
                             std::string("Some values in the grid have incorrect data length  "
                                         "specifiers.  These invalid length specifiers will be "
                                         "corrected  in the new unique export file that we now "
                                         "will create ...  \r\n Your original file will not be "
                                         "altered. ")));
}

class RunWriters : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20m"}, {"K2XYZ", "40M"}});
    }

    bool run(const std::string &target)
    {
        result = runExportWriters(document, target, host);
        return static_cast<bool>(result);
    }

    std::vector<std::string> filesWritten() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            if (entry.is_regular_file())
                names.push_back(
                    std::filesystem::relative(entry.path(), folder.path()).generic_string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string expected(ExportFormat format)
    {
        LogDocument copy;
        fillGrid(copy, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20m"}, {"K2XYZ", "40M"}});
        ScriptedExportHost quiet;
        return buildExportText(format, copy, quiet).text;
    }

    LogDocument document;
    ScriptedExportHost host;
    TempFolder folder;
    ExportResult result;
};

struct TargetCase {
    std::string target;
    std::vector<std::string> written;   // sorted
    std::vector<ExportFormat> formats;  // of the written files, in the same order
};

class RunWritersByName : public RunWriters, public ::testing::WithParamInterface<TargetCase> { };

TEST_P(RunWritersByName, ChoosesTheWritersFromTheName)
{
    const TargetCase &c = GetParam();
    EXPECT_TRUE(run(folder.file(c.target))) << result.reason;
    ASSERT_EQ(filesWritten(), c.written);
    for (size_t i = 0; i < c.written.size(); ++i)
        EXPECT_EQ(test::readBytes(folder.file(c.written[i])), expected(c.formats[i]))
            << c.written[i];
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunWritersByName,
    ::testing::Values(
        TargetCase{"LOG.ADI", {"LOG.ADI"}, {ExportFormat::Adif}},
        TargetCase{"LOG.BADI", {"LOG.BADI"}, {ExportFormat::Adif}},
        TargetCase{"LOG.TXT", {"LOG.TXT"}, {ExportFormat::Adif}},
        TargetCase{"LOG", {"LOG"}, {ExportFormat::Adif}},
        TargetCase{"LOG.XML", {"LOG.BADI", "LOG.XML"}, {ExportFormat::Adif, ExportFormat::Xml}},
        TargetCase{"log.xml", {"log.BADI", "log.xml"}, {ExportFormat::Adif, ExportFormat::Xml}},
        TargetCase{"LOG.HTM", {"LOG.BADI", "LOG.HTM"}, {ExportFormat::Adif, ExportFormat::Html}},
        TargetCase{
            "LOG.HTML", {"LOG.BADI", "LOG.HTML"}, {ExportFormat::Adif, ExportFormat::Html}}));

TEST_F(RunWriters, CompanionBesideTheTargetEvenInADottedFolder)
{
    std::filesystem::create_directory(folder.file("logs.2004"));
    EXPECT_TRUE(run(folder.file("logs.2004/LOG.XML")));
    EXPECT_EQ(filesWritten(),
              (std::vector<std::string>{"logs.2004/LOG.BADI", "logs.2004/LOG.XML"}));
}

TEST_F(RunWriters, ExistingCompanionFailsBeforeAnythingIsWritten)
{
    test::writeBytes(folder.file("LOG.BADI"), "mine");
    EXPECT_FALSE(run(folder.file("LOG.HTML")));
    EXPECT_EQ(filesWritten(), (std::vector<std::string>{"LOG.BADI"}));
    EXPECT_EQ(test::readBytes(folder.file("LOG.BADI")), "mine");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_NE(result.reason.find("LOG.BADI already exists"), std::string::npos) << result.reason;
}

TEST_F(RunWriters, HtmInAFolderNameIsRefused)
{
    std::filesystem::create_directory(folder.file("OLD.HTM"));
    EXPECT_FALSE(run(folder.file("OLD.HTM/LOG.ADI")));
    EXPECT_TRUE(filesWritten().empty());
    EXPECT_TRUE(host.progress.empty());  // no writer ran
}

TEST_F(RunWriters, CheckFailureStopsAtTheCompanion)
{
    document.setText(2, 2, "99M");
    EXPECT_FALSE(run(folder.file("LOG.XML")));
    EXPECT_EQ(result.status, ExportStatus::CheckFailed);
    EXPECT_TRUE(filesWritten().empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second,
              "Check your 'Band' columns ... incorrect band values were found.");
}

// A pair is written whole or not at all.
TEST_F(RunWriters, CompanionIsRemovedWhenTheSecondWriterFails)
{
    test::writeBytes(folder.file("LOG.XML"), "someone else's");
    EXPECT_FALSE(run(folder.file("LOG.XML")));
    EXPECT_EQ(result.status, ExportStatus::Refused);
    EXPECT_NE(result.reason.find("LOG.XML already exists"), std::string::npos) << result.reason;
    EXPECT_EQ(filesWritten(), (std::vector<std::string>{"LOG.XML"}));
    EXPECT_EQ(test::readBytes(folder.file("LOG.XML")), "someone else's");
}

TEST_F(RunWriters, CheckFailureInTheSecondWriterRemovesTheCompanion)
{
    // The ADIF writer accepts what the XML writer refuses: a name that is
    // no XML name.
    document.setText(1, 0, "1ST");
    document.editableCellInfo(1, 1)->name = "1ST";
    document.editableCellInfo(1, 2)->name = "1ST";
    EXPECT_FALSE(run(folder.file("LOG.XML")));
    EXPECT_TRUE(filesWritten().empty());
}

TEST_F(RunWriters, ColumnGateFailureKeepsTheStatus)
{
    document.releaseCellInfo(1, 1);
    document.releaseCellInfo(1, 2);
    EXPECT_FALSE(run(folder.file("LOG.ADI")));
    EXPECT_EQ(result.status, ExportStatus::Refused);
    EXPECT_EQ(fileNotSavedMessage(result),
              "File could not be saved\r\nColumn 1 (\"CALL\") has no cell the export can use.");
    EXPECT_TRUE(filesWritten().empty());
}

TEST_F(RunWriters, RefusedDriveWritesNothing)
{
    host.drive = DriveType::CdRom;
    EXPECT_FALSE(run(folder.file("LOG.XML")));
    EXPECT_TRUE(filesWritten().empty());
    EXPECT_EQ(host.plainMessages.size(), 1u);
}

struct StopCase {
    std::string target;
    int stopAfterRows;
};

class StoppedExport : public RunWriters, public ::testing::WithParamInterface<StopCase> { };

// Stopped in any pass of either file of a pair, an export leaves no file.
TEST_P(StoppedExport, LeavesNoFileBehind)
{
    host.stopAfterRows = GetParam().stopAfterRows;
    EXPECT_FALSE(run(folder.file(GetParam().target)));
    EXPECT_EQ(result.status, ExportStatus::Stopped);
    EXPECT_TRUE(filesWritten().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, StoppedExport,
                         ::testing::Values(StopCase{"log.adi", 0}, StopCase{"log.adi", 3},
                                           StopCase{"log.xml", 1}, StopCase{"log.xml", 5},
                                           StopCase{"log.htm", 7}));

}  // namespace
}  // namespace vaziduvu
