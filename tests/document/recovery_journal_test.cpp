// The recovery journal: what is written is read back; a journal cut at any
// byte (a kill while writing) or damaged gives the steps before the cut,
// never a crash and never a step that was not written whole.
#include "document/recovery_journal.h"
#include "document_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>

#include <stdlib.h>

namespace vaziduvu::test {
namespace {

const char kLog[] = "<CALL:4>W1AW<MODE:2>CW<EOR>after one\r\n<CALL:5>K1ABC<EOR>\r\n";

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A change of two cells and a trailer, made on a loaded log.
GridChange madeChange(LoadedLog &log)
{
    GridChange change = GridChange::capture(log.document, GridRegion::wholeGrid(log.document));
    log.document.setText(1, 1, "K9XYZ");
    log.document.setText(2, 2, "SSB");
    log.document.setRecordTrailer(0, "changed\r\n");
    change.finish(log.document);
    return change;
}

// A folder of the test's own, removed with everything in it.
struct TemporaryFolder {
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "journal-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TemporaryFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    std::string path;
};

class RecoveryJournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.path.empty());
        loadInto(log, kLog);
        source.path = "/logs/log.adi";
        source.size = 57;
        source.modifiedNs = 1234567;
        source.mode = AdifMode::Current;
        records = {JournalStep::encodeChange("Edit CALL", 1, 1, madeChange(log), 1000),
                   JournalStep::encodeRemoveRows("Delete Rows", {1, 2}, 1001),
                   JournalStep::encodeRemoveColumn("Delete Column MODE", 2, 1002),
                   JournalStep::encodeMove(true, 1003), JournalStep::encodeMove(false, 1004)};
        JournalStep::markMerged(records[0]);
    }

    // Writes the journal and returns its bytes.
    std::string written()
    {
        {
            RecoveryJournal journal(path(), source, text, 999);
            for (const std::string &record : records)
                journal.append(record);
            journal.waitUntilWritten();
        }
        return readAll(path());
    }

    std::string path() const { return folder.path + "/log.journal"; }

    TemporaryFolder folder;
    LoadedLog log;
    JournalSource source;
    std::shared_ptr<const std::string> text = std::make_shared<const std::string>(kLog);
    std::vector<std::string> records;
};

TEST_F(RecoveryJournalTest, WhatIsWrittenIsReadBackWithACopyOfTheLog)
{
    written();
    const JournalContents contents = JournalContents::read(path());
    ASSERT_EQ(contents.status, JournalContents::Status::Ok) << contents.problem;
    EXPECT_EQ(contents.source.path, source.path);
    EXPECT_EQ(contents.source.size, source.size);
    EXPECT_EQ(contents.source.modifiedNs, source.modifiedNs);
    EXPECT_EQ(contents.source.mode, AdifMode::Current);
    EXPECT_EQ(contents.source.hash, contentHash(kLog));
    EXPECT_EQ(contents.startedAt, 999);
    EXPECT_EQ(readAll(RecoveryJournal::sourceCopyPath(path())), kLog);

    using Kind = JournalStep::Kind;
    ASSERT_EQ(contents.steps.size(), 5u);
    const std::vector<Kind> kinds
        = {Kind::Change, Kind::RemoveRows, Kind::RemoveColumn, Kind::Undo, Kind::Redo};
    for (size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(contents.steps[i].kind, kinds[i]) << i;
        EXPECT_EQ(contents.steps[i].madeAt, 1000 + int64_t(i)) << i;
    }
    const JournalStep &change = contents.steps[0];
    EXPECT_EQ(change.text, "Edit CALL");
    EXPECT_TRUE(change.merged);
    EXPECT_EQ(std::make_pair(change.column, change.row), std::make_pair(1, 1));
    EXPECT_EQ(contents.steps[1].rows, (std::vector<int>{1, 2}));
    EXPECT_EQ(contents.steps[2].column, 2);

    // The change read back makes and takes back exactly what the original did.
    LoadedLog fresh;
    loadInto(fresh, kLog);
    const std::string loaded = documentState(fresh.document);
    change.change.redo(fresh.document);
    EXPECT_EQ(documentState(fresh.document), documentState(log.document));
    change.change.undo(fresh.document);
    EXPECT_EQ(documentState(fresh.document), loaded);
}

TEST_F(RecoveryJournalTest, ACutAtAnyByteKeepsTheWholeStepsBeforeIt)
{
    const std::string bytes = written();
    // Where each step's frame ends; the header ends before the first.
    std::vector<size_t> ends;
    size_t end = bytes.size();
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        ends.insert(ends.begin(), end);
        end -= 8 + record->size();
    }
    const size_t headerEnd = end;
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        const JournalContents contents
            = JournalContents::parse(std::string_view(bytes).substr(0, cut));
        if (cut < headerEnd) {
            EXPECT_EQ(contents.status, JournalContents::Status::Empty) << cut;
            EXPECT_TRUE(contents.steps.empty()) << cut;
            continue;
        }
        const size_t whole
            = static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
        const bool onBoundary = cut == headerEnd || std::count(ends.begin(), ends.end(), cut) > 0;
        EXPECT_EQ(contents.status,
                  onBoundary ? JournalContents::Status::Ok : JournalContents::Status::TornTail)
            << cut;
        EXPECT_EQ(contents.steps.size(), whole) << cut;
    }
}

struct DamageCase {
    const char *name;
    std::function<void(std::string &)> damage;
    JournalContents::Status status;
    size_t steps;
};

class JournalDamage : public RecoveryJournalTest,
                      public ::testing::WithParamInterface<DamageCase> { };

TEST_P(JournalDamage, IsNoticedAndNeverReadPast)
{
    std::string bytes = written();
    GetParam().damage(bytes);
    const JournalContents contents = JournalContents::parse(bytes);
    EXPECT_EQ(contents.status, GetParam().status) << contents.problem;
    EXPECT_EQ(contents.steps.size(), GetParam().steps);
}

// The byte offset of step i's frame (0-based), counted from the end.
size_t stepFrame(const std::string &bytes, const std::vector<std::string> &records, size_t i)
{
    size_t at = bytes.size();
    for (size_t k = records.size(); k > i; --k)
        at -= 8 + records[k - 1].size();
    return at;
}

const std::vector<std::string> &sampleRecords()
{
    static const std::vector<std::string> made = [] {
        LoadedLog log;
        loadInto(log, kLog);
        std::vector<std::string> r
            = {JournalStep::encodeChange("Edit CALL", 1, 1, madeChange(log), 1000),
               JournalStep::encodeRemoveRows("Delete Rows", {1, 2}, 1001),
               JournalStep::encodeRemoveColumn("Delete Column MODE", 2, 1002),
               JournalStep::encodeMove(true, 1003), JournalStep::encodeMove(false, 1004)};
        JournalStep::markMerged(r[0]);
        return r;
    }();
    return made;
}

INSTANTIATE_TEST_SUITE_P(
    Journal, JournalDamage,
    ::testing::Values(
        DamageCase{"NotAJournal", [](std::string &b) { b[0] ^= 1; },
                   JournalContents::Status::Unreadable, 0},
        DamageCase{"HeaderDamaged",
                   [](std::string &b) { b[RecoveryJournal::kMagic.size() + 12] ^= 0x40; },
                   JournalContents::Status::Unreadable, 0},
        DamageCase{"SecondStepDamaged",
                   [](std::string &b) { b[stepFrame(b, sampleRecords(), 1) + 10] ^= 0x40; },
                   JournalContents::Status::TornTail, 1},
        DamageCase{"LengthPastTheEnd",
                   [](std::string &b) { b[stepFrame(b, sampleRecords(), 3) + 3] = '\x7f'; },
                   JournalContents::Status::TornTail, 3},
        DamageCase{"UnknownStepKind",
                   [](std::string &b) {
                       // A record that passes its checksum but is no step.
                       b += RecoveryJournal::frame("Zxxxxxxxx");
                   },
                   JournalContents::Status::TornTail, 5},
        DamageCase{"NothingAtAll", [](std::string &b) { b.clear(); },
                   JournalContents::Status::Empty, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecoveryJournalTest, AGroupIsReadBackPartByPart)
{
    const std::string group
        = JournalStep::encodeGroup("Merge Duplicates", {records[0], records[1]}, 1005);
    const std::optional<JournalStep> step = JournalStep::decode(group);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->kind, JournalStep::Kind::Group);
    EXPECT_EQ(step->text, "Merge Duplicates");
    EXPECT_EQ(step->madeAt, 1005);
    ASSERT_EQ(step->parts.size(), 2u);
    EXPECT_EQ(step->parts[0].kind, JournalStep::Kind::Change);
    EXPECT_TRUE(step->parts[0].merged);
    EXPECT_EQ(step->parts[1].rows, (std::vector<int>{1, 2}));
}

TEST_F(RecoveryJournalTest, AGroupOfNothingOrOfMovesOrGroupsIsRefused)
{
    const std::string inner = JournalStep::encodeGroup("Inner", {records[1]}, 1);
    for (const std::vector<std::string> &parts : {std::vector<std::string>{},
                                                  {records[3]},
                                                  {records[1], records[4]},
                                                  {inner},
                                                  {records[1], "Zxxxxxxxx"}})
        EXPECT_FALSE(JournalStep::decode(JournalStep::encodeGroup("Group", parts, 1)))
            << parts.size();
}

TEST_F(RecoveryJournalTest, ARecordThatCannotBeMadeStopsTheJournalAfterTheOnesBefore)
{
    {
        RecoveryJournal journal(path(), source, text, 999);
        journal.append(records[0]);
        journal.append(RecordMaker([]() -> std::string { throw std::bad_alloc(); }));
        journal.append(records[1]);
        journal.waitUntilWritten();
        EXPECT_FALSE(journal.healthy());
    }
    const JournalContents contents = JournalContents::read(path());
    EXPECT_EQ(contents.status, JournalContents::Status::Ok) << contents.problem;
    EXPECT_EQ(contents.steps.size(), 1u);
}

TEST_F(RecoveryJournalTest, DiscardRemovesTheJournalAndItsCopy)
{
    RecoveryJournal journal(path(), source, text, 999);
    journal.append(records[0]);
    journal.waitUntilWritten();
    ASSERT_TRUE(std::filesystem::exists(path()));
    ASSERT_TRUE(std::filesystem::exists(RecoveryJournal::sourceCopyPath(path())));
    journal.discard();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

}  // namespace
}  // namespace vaziduvu::test
