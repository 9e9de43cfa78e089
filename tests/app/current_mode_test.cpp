// The window in the Current ADIF mode: a UTF-8 log shown decoded, its
// bytes kept, its edits stored as UTF-8.
#include "app/check_panel.h"
#include "grid_texts.h"
#include "window_fixture.h"

#include "adif/adif_file.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace vaziduvu::test {
namespace {

const std::string kUtf8Log = std::string(TEST_DATA_DIR) + "/current-utf8-names.adi";

class CurrentModeTest : public WindowFixture {
protected:
    void openUtf8Log(AdifMode mode)
    {
        form->setAdifMode(mode);
        open(kUtf8Log);
    }

    QString shown(int column, int row) const
    {
        return gridModel(*form).index(row - 1, column - 1).data().toString();
    }
};

TEST_F(CurrentModeTest, Utf8LogShowsDecodedTextAndKeepsItsBytes)
{
    openUtf8Log(AdifMode::Current);
    const LogDocument &document = form->document();
    ASSERT_TRUE(document.documentOpen());
    EXPECT_EQ(document.textEncoding(), TextEncoding::Utf8);
    EXPECT_EQ(document.adifMode(), AdifMode::Current);
    EXPECT_EQ(shown(2, 1), QStringLiteral("J\u00F6rg"));
    EXPECT_EQ(shown(2, 2), QStringLiteral("\u0141ukasz"));
    EXPECT_EQ(shown(3, 1), QStringLiteral("7>5 & 5<7"));

    // Every cell holds the file's own bytes at its value's offset.
    const std::string file = readFile(kUtf8Log);
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column <= 3; ++column) {
            const CellRecord record = document.cellInfo(column, row);
            ASSERT_NE(record, nullptr);
            const std::string_view text = document.text(column, row);
            EXPECT_EQ(file.substr(static_cast<size_t>(record->valueOffset), text.size()), text);
        }
    }
    // The name counted in characters is marked; the one counted in bytes is not.
    EXPECT_TRUE(LogDocument::hasLengthDiscrepancy(*document.cellInfo(2, 1)));
    EXPECT_FALSE(LogDocument::hasLengthDiscrepancy(*document.cellInfo(2, 2)));
    EXPECT_EQ(form->statusText(2), " Length discrepencies found (in yellow text) ");

    // The source view decodes too, and shows no byte-order mark.
    const QString source = widget<QPlainTextEdit>("sourceView")->toPlainText();
    EXPECT_TRUE(source.contains(QStringLiteral("<NAME:7>\u0141ukasz")));
    EXPECT_FALSE(source.contains(QChar(0xFEFF)));
    EXPECT_TRUE(source.contains(QStringLiteral("\nUTF-8 log from a current logger\n")));
}

TEST_F(CurrentModeTest, ErrorLineAfterUtf8TextIsSelected)
{
    form->setAdifMode(AdifMode::Current);
    openText("h\xC3\xA9<EOH>\r\n<NAME:2>\xC3\xA9<EOR>\r\n<CALL:x>A<EOR>\r\n");
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->document().textEncoding(), TextEncoding::Utf8);
    const QTextCursor cursor = widget<QPlainTextEdit>("sourceView")->textCursor();
    EXPECT_EQ(cursor.selectedText(), QStringLiteral("<CALL:x>A<EOR>"));
}

// A file too large to show whole shows its beginning when it loads, and the
// lines around its error when it does not.
TEST_F(CurrentModeTest, LargeFileShowsThePartAroundItsError)
{
    form->setAdifMode(AdifMode::Current);
    std::string log = "h<EOH>\r\n";
    while (log.size() < (size_t(3) << 20))
        log += "<CALL:4>W1AW<QSO_DATE:8>20240101<EOR>\r\n";
    openText(log + "<CALL:4>W1AW<EOR>\r\n");
    EXPECT_TRUE(form->document().documentOpen());
    EXPECT_EQ(form->sourceViewText().rfind("SOURCE FILE:  (read only)\r\n\r\nh<EOH>", 0), 0u);
    EXPECT_NE(form->sourceViewText().find("bytes) is not shown.\r\n"), std::string::npos);

    openText(log + "<CALL:x>A<EOR>\r\n");
    EXPECT_FALSE(form->document().documentOpen());
    const std::string shown = form->sourceViewText();
    EXPECT_NE(shown.find("... The first "), std::string::npos);
    EXPECT_EQ(shown.find("bytes) is not shown."), std::string::npos);  // the error is near the end
    const auto [start, length] = form->sourceSelection();
    EXPECT_EQ(shown.substr(start, length), "<CALL:x>A<EOR>");
}

TEST_F(CurrentModeTest, ClassicModeRefusesTheBracketInAValue)
{
    openUtf8Log(AdifMode::Classic);
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->document().textEncoding(), TextEncoding::Latin1);
}

// The Format menu's item switches the mode for checks at once and for
// reading from the next log on; the caption says when it is on.
TEST_F(CurrentModeTest, MenuItemSwitchesTheChecksAndTheCaptionSaysSo)
{
    open(std::string(TEST_DATA_DIR) + "/current-ft8-ontario.adi");
    ASSERT_TRUE(form->document().documentOpen());
    trigger(*form, "checkLogAction");
    auto *panel = child<CheckPanel>(*form, "checkPanel");
    EXPECT_GT(panel->problemCount(), 0);  // FT8, MFSK, ON: unknown to the classic lists

    trigger(*form, "currentAdifAction");
    EXPECT_EQ(form->adifMode(), AdifMode::Current);
    EXPECT_EQ(form->document().adifMode(), AdifMode::Current);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].substr(0, 13), "Information:|");
    EXPECT_TRUE(
        QString::fromStdString(form->caption()).endsWith(MainWindow::kCurrentAdifCaptionMark));
    trigger(*form, "checkLogAction");
    EXPECT_EQ(panel->problemCount(), 0);

    trigger(*form, "currentAdifAction");
    EXPECT_EQ(form->document().adifMode(), AdifMode::Classic);
    EXPECT_FALSE(
        QString::fromStdString(form->caption()).endsWith(MainWindow::kCurrentAdifCaptionMark));
}

// Cells hold only what is present: a save gives no record to a blank cell
// (the Classic mode does, and keeps it).
TEST_F(CurrentModeTest, SaveLeavesBlankCellsWithoutRecords)
{
    form->setAdifMode(AdifMode::Current);
    open(std::string(TEST_DATA_DIR) + "/current-ft8-ontario.adi");
    ASSERT_EQ(form->document().text(9, 0), "SUBMODE");
    ASSERT_EQ(form->document().cellInfo(9, 1), nullptr);  // record 1 has no SUBMODE
    platform.queueFileName(pathIn("saved.adi"));
    ASSERT_TRUE(saveAsCommand(*form));
    EXPECT_EQ(form->document().cellInfo(9, 1), nullptr);
}

// Load, export ADIF, load the export: the same values, byte for byte.
TEST_F(CurrentModeTest, Utf8LogRoundTripsThroughSaveAs)
{
    openUtf8Log(AdifMode::Current);
    ASSERT_TRUE(form->document().documentOpen());
    const Grid loaded = gridTexts(form->document());
    platform.queueFileName(pathIn("export.adi"));
    ASSERT_TRUE(saveAsCommand(*form));
    open(pathIn("export.adi"));
    ASSERT_TRUE(form->document().documentOpen());
    EXPECT_EQ(form->document().textEncoding(), TextEncoding::Utf8);
    EXPECT_EQ(gridTexts(form->document()), loaded);
}

std::string repeated(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct EditCase {
    const char *name;
    QString typed;
    std::string bytes;  // stored
};

void PrintTo(const EditCase &c, std::ostream *os)
{
    *os << c.name;
}

class CurrentModeEditTest : public CurrentModeTest,
                            public ::testing::WithParamInterface<EditCase> { };

TEST_P(CurrentModeEditTest, StoresUtf8AndAllowsBrackets)
{
    const EditCase &c = GetParam();
    openUtf8Log(AdifMode::Current);
    GridModel &model = gridModel(*form);
    model.setData(model.index(1, 2), c.typed, Qt::EditRole);
    EXPECT_EQ(form->document().text(3, 2), c.bytes);
    // Cells not edited keep their bytes.
    EXPECT_EQ(form->document().text(2, 1), "J\xC3\xB6rg");
}

INSTANTIATE_TEST_SUITE_P(Window, CurrentModeEditTest,
                         ::testing::Values(EditCase{"Brackets", QStringLiteral("a<b>c"), "a<b>c"},
                                           EditCase{"BeyondLatin1", QStringLiteral("\u0141\u20AC"),
                                                    "\xC5\x81\xE2\x82\xAC"},
                                           EditCase{"CutToThousandCharacters",
                                                    QString(1001, QChar(0x0141)),
                                                    repeated("\xC5\x81", 1000)}));

}  // namespace
}  // namespace vaziduvu::test
