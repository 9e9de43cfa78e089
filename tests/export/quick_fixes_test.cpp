// Quick fixes: which problems get a mend and which stay, and that a mended
// log written back keeps every other byte and finds nothing more to mend.
#include "adif/text.h"
#include "document/grid_change.h"
#include "document/open_log.h"
#include "export/quick_fixes.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

namespace vaziduvu {
namespace {

using test::ScriptedExportHost;

// One record; per problem found, "FIELD: mend" or "FIELD: none".
struct FixCase {
    const char *name;
    AdifMode mode;
    const char *record;
    std::vector<std::string> fixes;
};

void PrintTo(const FixCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<std::string> fixesOf(LogDocument &document)
{
    ScriptedExportHost host;
    std::vector<std::string> found;
    for (const FoundProblem &problem : findQuickFixes(document, host)) {
        found.push_back(trimText(document.text(problem.problem.column, 0)) + ": "
                        + (problem.fix ? problem.fix->description : std::string("none")));
    }
    return found;
}

class QuickFixFor : public ::testing::TestWithParam<FixCase> { };

TEST_P(QuickFixFor, ProblemGetsItsOneMendOrNone)
{
    const OpenedLog opened
        = openLogFromBytes(std::string("log <EOH>") + GetParam().record + "<EOR>", GetParam().mode);
    ASSERT_TRUE(opened);
    const std::vector<std::string> before = [&] {
        std::vector<std::string> texts;
        for (int column = 0; column < opened.document->columnCount(); ++column)
            texts.emplace_back(opened.document->text(column, 1));
        return texts;
    }();
    EXPECT_EQ(fixesOf(*opened.document), GetParam().fixes);
    for (int column = 0; column < opened.document->columnCount(); ++column)
        EXPECT_EQ(opened.document->text(column, 1), before[static_cast<size_t>(column)]);
}

constexpr AdifMode kCurrent = AdifMode::Current;
constexpr AdifMode kClassic = AdifMode::Classic;

INSTANTIATE_TEST_SUITE_P(
    Rules, QuickFixFor,
    ::testing::Values(
        FixCase{"Usb", kCurrent, "<MODE:3>USB", {"MODE: MODE SSB, SUBMODE USB"}},
        FixCase{"LowerLsb", kCurrent, "<MODE:5> lsb ", {"MODE: MODE SSB, SUBMODE LSB"}},
        FixCase{"Ft4", kCurrent, "<MODE:3>FT4", {"MODE: MODE MFSK, SUBMODE FT4"}},
        FixCase{"Js8", kCurrent, "<MODE:3>JS8", {"MODE: MODE MFSK, SUBMODE JS8"}},
        FixCase{"ImportOnlyPsk31", kCurrent, "<MODE:5>PSK31", {"MODE: MODE PSK, SUBMODE PSK31"}},
        FixCase{"ImportOnlyJt65a", kCurrent, "<MODE:5>JT65A", {"MODE: MODE JT65, SUBMODE JT65A"}},
        FixCase{"SameSubmodeThere",
                kCurrent,
                "<MODE:3>USB<SUBMODE:3>usb",
                {"MODE: MODE SSB, SUBMODE USB", "SUBMODE: none"}},
        FixCase{"OtherSubmodeThere",
                kCurrent,
                "<MODE:3>USB<SUBMODE:3>LSB",
                {"MODE: none", "SUBMODE: none"}},
        FixCase{"UnknownMode", kCurrent, "<MODE:5>VOICE", {"MODE: none"}},
        FixCase{"BandFromFreq", kCurrent, "<FREQ:6>14.074", {"FREQ: BAND 20m"}},
        FixCase{"EmptyBandFromFreq", kCurrent, "<FREQ:5>7.074<BAND:0>", {"FREQ: BAND 40m"}},
        FixCase{"NoBandRxFromFreqRx", kCurrent, "<FREQ_RX:3>144", {}},
        FixCase{"FreqInNoBand", kCurrent, "<FREQ:3>4.5", {}},
        FixCase{"FreqOutsideBand", kCurrent, "<FREQ:6>14.074<BAND:3>40m", {"FREQ: none"}},
        FixCase{"UnknownState", kCurrent, "<STATE:2>ZZ<DXCC:3>291", {"STATE: none"}},
        FixCase{"WrongDxcc", kCurrent, "<DXCC:3>999", {"DXCC: none"}},
        FixCase{"DashedDate", kCurrent, "<QSO_DATE:10>2024-01-05", {"QSO_DATE: QSO_DATE 20240105"}},
        FixCase{
            "SlashedDate", kCurrent, "<QSO_DATE:10>2024/01/05", {"QSO_DATE: QSO_DATE 20240105"}},
        FixCase{"MixedSeparators", kCurrent, "<QSO_DATE:10>2024-01/05", {"QSO_DATE: none"}},
        FixCase{"DateShapeInNumber", kCurrent, "<TX_PWR:10>2024-01-05", {"TX_PWR: none"}},
        FixCase{"NoSuchDay", kCurrent, "<QSO_DATE:10>2024-13-05", {"QSO_DATE: none"}},
        FixCase{"ColonTime", kCurrent, "<TIME_ON:5>12:34", {"TIME_ON: TIME_ON 1234"}},
        FixCase{"ColonSeconds", kCurrent, "<TIME_OFF:8>12:34:56", {"TIME_OFF: TIME_OFF 123456"}},
        FixCase{"NoSuchHour", kCurrent, "<TIME_ON:5>25:34", {"TIME_ON: none"}},
        FixCase{"AcceptedBandCase", kCurrent, "<BAND:3>20M<FREQ:6>14.074", {}},
        FixCase{
            "ClassicDate", kClassic, "<QSO_DATE:10:D>2024-01-05", {"QSO_DATE: QSO_DATE 20240105"}},
        FixCase{"ClassicTime", kClassic, "<TIME_ON:5>12:34", {"TIME_ON: TIME_ON 1234"}},
        FixCase{"ClassicKeepsItsModes", kClassic, "<MODE:3>FT8", {"MODE: none"}},
        FixCase{"ClassicNoBandFromFreq", kClassic, "<FREQ:6>14.074", {}}));

// A QRZ-style export: a mended copy reads back with the mends and every
// other value as it was, and holds nothing more to mend.
TEST(QuickFixes, MendedSourceReadsBackAndNeedsNoMore)
{
    const std::string untouched = "<CALL:4>K1AB<MODE:2>CW<FREQ:5>7.030<BAND:3>40m<EOR>\r\n";
    const std::string source = "QRZ export <EOH>\r\n"
                               "<CALL:4>W1AW<MODE:3>USB <FREQ:6>14.250<BAND:3>20m<EOR>\r\n"
        + untouched
        + "<CALL:5>N0CAL<MODE:3>FT4<FREQ:6>14.080<STATE:2>ZZ<DXCC:3>291"
          "<EOR>\r\n<CALL:3>K9X<MODE:3>LSB<FREQ:5>3.800<BAND:3>20m<EOR>\r\n";
    const OpenedLog opened = openLogFromBytes(source, kCurrent);
    ASSERT_TRUE(opened);
    LogDocument &document = *opened.document;
    ScriptedExportHost host;
    const std::vector<FoundProblem> found = findQuickFixes(document, host);
    std::vector<const QuickFix *> fixes;
    std::vector<std::string> unfixed;
    for (const FoundProblem &problem : found) {
        if (problem.fix)
            fixes.push_back(&*problem.fix);
        else
            unfixed.push_back(trimText(document.text(problem.problem.column, 0)));
    }
    EXPECT_EQ(unfixed, (std::vector<std::string>{"STATE", "FREQ"}));
    EXPECT_EQ(describeFixKind({fixes[0], fixes[3]}), "MODE USB/LSB -> SSB with SUBMODE");

    const std::string mended = rewriteSource(document, source, fixes);
    const AppliedFixes applied = applyQuickFixes(document, fixes);
    EXPECT_EQ(applied.fixes, 4);
    EXPECT_EQ(applied.contacts, 3);
    EXPECT_NE(mended.find("<MODE:3>SSB <SUBMODE:3>USB <FREQ"), std::string::npos);
    EXPECT_NE(mended.find(untouched), std::string::npos);
    EXPECT_EQ(mended.substr(0, 18), source.substr(0, 18));

    const OpenedLog reread = openLogFromBytes(mended, kCurrent);
    ASSERT_TRUE(reread);
    for (int row = 1; row < document.rowCount(); ++row) {
        for (int column = 1; column < document.columnCount(); ++column) {
            const int there = [&] {
                for (int c = 1; c < reread.document->columnCount(); ++c) {
                    if (reread.document->text(c, 0) == document.text(column, 0))
                        return c;
                }
                return 0;
            }();
            ASSERT_GT(there, 0) << document.text(column, 0);
            EXPECT_EQ(trimText(reread.document->text(there, row)),
                      trimText(document.text(column, row)));
        }
    }
    for (const FoundProblem &problem : findQuickFixes(*reread.document, host))
        EXPECT_FALSE(problem.fix) << problem.problem.message;
}

// A BAND written after its FREQ lands right before a MODE tag that is mended
// too, the MODE column coming first in the log.
TEST(QuickFixes, FieldWrittenBeforeTheMendedTagThatFollowsItsAnchor)
{
    const std::string source = "log <EOH><CALL:4>W1AW<MODE:3>USB<EOR>\n"
                               "<CALL:4>K1AB<FREQ:5>3.800<MODE:3>LSB<EOR>\n";
    const OpenedLog opened = openLogFromBytes(source, kCurrent);
    ASSERT_TRUE(opened);
    ScriptedExportHost host;
    const std::vector<FoundProblem> found = findQuickFixes(*opened.document, host);
    EXPECT_EQ(rewriteSource(*opened.document, source, fixesToApply(found)),
              "log <EOH><CALL:4>W1AW<MODE:3>SSB<SUBMODE:3>USB<EOR>\n"
              "<CALL:4>K1AB<FREQ:5>3.800<BAND:3>80m<MODE:3>SSB<SUBMODE:3>LSB<EOR>\n");
}

// Stopped after its first mend, a run says so, and the journal around it
// gives back the log exactly as it was (the SUBMODE column included).
TEST(QuickFixes, StoppedRunIsTakenBackWhole)
{
    struct StopAfter : Progress {
        int64_t allowed = 1;
        bool advance(int64_t done, int64_t) override { return done < allowed; }
    };
    const OpenedLog opened = openLogFromBytes("log <EOH><CALL:4>W1AW<MODE:3>USB<EOR>"
                                              "<CALL:4>K1AB<MODE:3>LSB<EOR>",
                                              kCurrent);
    ASSERT_TRUE(opened);
    LogDocument &document = *opened.document;
    ScriptedExportHost host;
    const std::vector<FoundProblem> found = findQuickFixes(document, host);
    std::vector<const QuickFix *> fixes;
    for (const FoundProblem &problem : found)
        fixes.push_back(&*problem.fix);
    ASSERT_EQ(fixes.size(), 2u);
    const GridShape shape = document.shape();
    document.openJournal();
    StopAfter stop;
    const AppliedFixes applied = applyQuickFixes(document, fixes, &stop);
    EXPECT_TRUE(applied.stopped);
    EXPECT_EQ(applied.fixes, 1);
    EXPECT_EQ(document.text(2, 1), "SSB");
    EXPECT_EQ(document.text(2, 2), "LSB");
    GridChange::fromJournal(document).undo(document);
    EXPECT_EQ(document.shape(), shape);
    EXPECT_EQ(document.text(2, 1), "USB");
}

}  // namespace
}  // namespace vaziduvu
