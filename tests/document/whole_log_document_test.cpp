#include "document_test_util.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace vaziduvu::test {
namespace {

// A log of `fields` fields in each of `records` records; the value of field f
// in record r is "r.f".
std::string logOf(int fields, int records)
{
    std::string text = "h<EOH>";
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < fields; ++f) {
            const std::string value = std::to_string(r) + "." + std::to_string(f);
            text += "<F" + std::to_string(f) + ":" + std::to_string(value.size()) + ">" + value;
        }
        text += "<EOR>\n";
    }
    return text;
}

void loadIn(LoadedLog &log, AdifMode mode, const std::string &adif)
{
    log.file.setMode(mode);
    log.document.setAdifMode(mode);
    loadInto(log, adif);
}

class StopAtOnce : public Progress {
public:
    bool advance(int64_t, int64_t) override { return false; }
};

struct SizeCase {
    const char *name;
    int fields;
    int records;
    AdifMode mode;
    LogDocument::FillResult result;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.name;
}

class WholeLogFill : public ::testing::TestWithParam<SizeCase> { };

TEST_P(WholeLogFill, RefusesBeyondTheClassicLimitsOnly)
{
    const SizeCase &c = GetParam();
    LoadedLog log;
    loadIn(log, c.mode, logOf(c.fields, c.records));
    ASSERT_EQ(log.result, c.result);
    if (c.result != LogDocument::FillResult::Filled)
        return;
    EXPECT_EQ(log.document.columnCount(), c.fields + 1);
    EXPECT_EQ(log.document.rowCount(), c.records + 1);
    const int r = c.records, f = c.fields;
    const std::string last = std::to_string(r - 1) + "." + std::to_string(f - 1);
    EXPECT_EQ(log.document.text(f, r), last);
    EXPECT_EQ(log.document.cellInfo(f, r)->value, last);
    EXPECT_EQ(log.document.text(0, r), std::to_string(r));
    EXPECT_EQ(log.document.text(f, 0), "F" + std::to_string(f - 1));
}

INSTANTIATE_TEST_SUITE_P(
    WholeLogs, WholeLogFill,
    ::testing::Values(
        SizeCase{"ClassicFields", 49, 2, AdifMode::Classic, LogDocument::FillResult::TooBig},
        SizeCase{"CurrentFields", 90, 2, AdifMode::Current, LogDocument::FillResult::Filled},
        SizeCase{"ClassicRecords", 1, 4001, AdifMode::Classic, LogDocument::FillResult::TooBig},
        SizeCase{"CurrentRecords", 2, 6000, AdifMode::Current, LogDocument::FillResult::Filled},
        SizeCase{"ClassicLargest", 48, 4000, AdifMode::Classic, LogDocument::FillResult::Filled}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WholeLogDocument, CurrentModeAddsColumnsAndRowsBeyondTheClassicLimits)
{
    for (AdifMode mode : {AdifMode::Classic, AdifMode::Current}) {
        LoadedLog log;
        loadIn(log, mode, logOf(48, 4000));
        ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
        const bool current = mode == AdifMode::Current;
        TagRecord added = *log.document.cellInfo(1, 1);
        added.name = "EXTRA";
        EXPECT_EQ(log.document.appendColumn(added), current ? 49 : -1);
        EXPECT_EQ(log.document.appendColumn(added), current ? 50 : -1);
        EXPECT_EQ(log.document.appendRowSameAsPrevious().row, current ? 4001 : -1);
        EXPECT_EQ(log.document.appendBlankRow(), current ? 4002 : -1);
        if (!current)
            continue;
        EXPECT_EQ(log.document.text(50, 0), "EXTRA");
        EXPECT_EQ(log.document.text(1, 4001), log.document.text(1, 4000));
        EXPECT_EQ(log.document.text(0, 4002), "4002");
        EXPECT_NE(log.document.cellInfo(50, 4002), nullptr);
    }
}

TEST(WholeLogDocument, WideGridSurvivesCopyAndColumnRemoval)
{
    LoadedLog log;
    loadIn(log, AdifMode::Current, logOf(70, 3));
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    LogDocument copy;
    copy.copyFrom(log.document);
    EXPECT_EQ(gridTexts(copy), gridTexts(log.document));
    const auto removed = copy.removeColumn(10);
    EXPECT_EQ(copy.text(10, 2), "1.10");
    copy.insertColumn(10, removed);
    EXPECT_EQ(gridTexts(copy), gridTexts(log.document));
}

TEST(WholeLogDocument, ResetAfterAWholeLogbookStartsAfresh)
{
    LoadedLog log;
    loadIn(log, AdifMode::Current, logOf(60, 4000));
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    log.document.reset();
    EXPECT_EQ(log.document.text(1, 1), "");
    EXPECT_EQ(log.document.cellInfo(1, 1), nullptr);
    loadInto(log, logOf(2, 3));
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    EXPECT_EQ(log.document.text(2, 3), "2.1");
    EXPECT_EQ(log.document.cellInfo(2, 3)->value, "2.1");
    EXPECT_EQ(log.document.cellInfo(3, 3), nullptr);
}

TEST(WholeLogDocument, WideGridStaysEditableAfterSwitchingToClassic)
{
    LoadedLog log;
    loadIn(log, AdifMode::Current, logOf(70, 4100));
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    log.document.setAdifMode(AdifMode::Classic);
    log.document.setText(70, 4100, "edited");
    EXPECT_EQ(log.document.text(70, 4100), "edited");
    EXPECT_EQ(log.document.cellInfo(70, 4100)->value, "4099.69");
    EXPECT_TRUE(log.document.columnLimitReached());
    EXPECT_EQ(log.document.appendBlankRow(), -1);
    EXPECT_THROW(log.document.setText(71, 1, "x"), std::out_of_range);
}

TEST(WholeLogDocument, StoppedFillLeavesTheDocumentReset)
{
    LoadedLog log;
    loadIn(log, AdifMode::Current, logOf(3, 50));
    ASSERT_TRUE(log.file.result());
    StopAtOnce stop;
    EXPECT_EQ(log.document.fillFrom(log.file, &stop), LogDocument::FillResult::Cancelled);
    EXPECT_FALSE(log.document.documentOpen());
    EXPECT_EQ(log.document.columnCount(), 2);
    EXPECT_EQ(log.document.rowCount(), 2);
    EXPECT_EQ(log.document.text(1, 1), "");
    EXPECT_EQ(log.document.cellInfo(1, 1), nullptr);
}

// Loaded cells read their values from the text the reader kept: the
// document shares it, so it outlives the reader, goes with a reset, and an
// edited cell leaves the text and its neighbours as they were.
TEST(WholeLogDocument, LoadedCellsShareTheReadTextUntilChanged)
{
    LogDocument document;
    std::weak_ptr<const LoadedText> text;
    {
        AdifFile file;
        ASSERT_TRUE(file.loadFromBytes("h<EOH><CALL:4>W1AW<MODE:2>CW note<EOR>"));
        ASSERT_EQ(document.fillFrom(file), LogDocument::FillResult::Filled);
        text = file.loadedText();
    }
    ASSERT_FALSE(text.expired());
    EXPECT_EQ(document.text(1, 1), "W1AW");
    EXPECT_EQ(document.cellInfo(2, 1)->comment, " note");

    document.setText(1, 1, "K1ABC");
    document.editableCellInfo(2, 1)->comment = " changed";
    EXPECT_EQ(document.text(1, 1), "K1ABC");
    EXPECT_EQ(document.cellInfo(1, 1)->value, "W1AW");  // the record keeps the loaded value
    EXPECT_EQ(document.text(2, 1), "CW");
    EXPECT_EQ(text.lock()->source, "h<EOH><CALL:4>W1AW<MODE:2>CW note<EOR>");

    LogDocument copy;
    copy.copyFrom(document);
    document.reset();
    EXPECT_FALSE(text.expired());  // the copy still reads from it
    EXPECT_EQ(copy.text(2, 1), "CW");
    EXPECT_EQ(copy.cellInfo(2, 1)->comment, " changed");
    copy.reset();
    EXPECT_TRUE(text.expired());
}

// A record of more than 65,000 tags: its last fields lie too far from the
// record's first tag for the short form and are kept whole, and they move
// with their row when a row above them goes.
TEST(WholeLogDocument, FieldsFarIntoALongRecordKeepTheirValues)
{
    std::string log = "h<EOH><CALL:4>W1AW<EOR>";
    for (int i = 0; i < 70000; ++i)
        log += "<NOTE:1>x";
    log += "<MODE:3>SSB<CALL:4>K1AB<EOR>";
    LoadedLog loaded;
    loadIn(loaded, AdifMode::Current, log);
    ASSERT_EQ(loaded.result, LogDocument::FillResult::Filled);
    LogDocument &d = loaded.document;
    EXPECT_EQ(d.text(1, 2), "K1AB");
    EXPECT_EQ(d.text(3, 2), "SSB");
    EXPECT_EQ(d.cellInfo(3, 2)->name, "MODE");
    EXPECT_EQ(d.text(0, 2), "2");

    const auto removed = d.removeRows({1});
    EXPECT_EQ(d.text(0, 1), "1");
    EXPECT_EQ(d.text(1, 1), "K1AB");
    EXPECT_EQ(d.text(3, 1), "SSB");
    d.insertRows(removed);
    EXPECT_EQ(d.text(1, 1), "W1AW");
    EXPECT_EQ(d.text(3, 2), "SSB");
    EXPECT_EQ(d.text(0, 2), "2");
}

}  // namespace
}  // namespace vaziduvu::test
