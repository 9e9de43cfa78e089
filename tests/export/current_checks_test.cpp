// The Current ADIF mode's checks and writers, through checkLog and
// buildExportText: a few accepted and refused values per rule, and the
// messages that give advice.
#include "export/writers.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;
using test::ScriptedExportHost;

// One record; its problems in grid order, each "column: message".
struct RecordCase {
    const char *name;
    std::vector<ColumnSpec> columns;
    std::vector<std::string> values;
    std::vector<std::string> problems;
};

void PrintTo(const RecordCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<std::string> currentProblems(const std::vector<ColumnSpec> &columns,
                                         const std::vector<std::string> &values)
{
    LogDocument document;
    fillGrid(document, columns, {values});
    document.setAdifMode(AdifMode::Current);
    ScriptedExportHost host;
    std::vector<std::string> found;
    for (const LogProblem &problem : checkLog(ExportFormat::Adif, document, host))
        found.push_back(std::to_string(problem.column) + ": " + problem.message);
    return found;
}

class CurrentRecord : public ::testing::TestWithParam<RecordCase> { };

TEST_P(CurrentRecord, ProblemsAreThoseOfAdif316)
{
    EXPECT_EQ(currentProblems(GetParam().columns, GetParam().values), GetParam().problems);
}

std::vector<RecordCase> one(const char *field, std::vector<std::pair<const char *, bool>> values,
                            const std::string &refusal)
{
    std::vector<RecordCase> cases;
    for (const auto &[value, accepted] : values) {
        RecordCase c{field, {{field}}, {value}, {}};
        if (!accepted)
            c.problems.push_back("1: " + refusal);
        cases.push_back(c);
    }
    return cases;
}

const ColumnSpec kDate{"QSO_DATE", TypeDate, true};
const ColumnSpec kTime{"TIME_ON", TypeTime};
const ColumnSpec kFreq{"FREQ", TypeNumber};

INSTANTIATE_TEST_SUITE_P(
    Records, CurrentRecord,
    ::testing::Values(
        RecordCase{"Ft8", {{"MODE"}}, {"FT8"}, {}},
        RecordCase{"ModeInLowerCase", {{"MODE"}}, {"mfsk"}, {}},
        RecordCase{"Ft4AsMode",
                   {{"MODE"}},
                   {"FT4"},
                   {"1: Check your 'Mode' columns ... FT4 is a submode, not a mode: log it as "
                    "MODE MFSK with SUBMODE FT4."}},
        RecordCase{"Psk31AsMode",
                   {{"MODE"}},
                   {"psk31"},
                   {"1: Check your 'Mode' columns ... PSK31 is a submode, not a mode: log it as "
                    "MODE PSK with SUBMODE PSK31."}},
        RecordCase{"UnknownMode",
                   {{"MODE"}},
                   {"FT9"},
                   {"1: Check your 'Mode' columns ... MODE \"FT9\" is not an ADIF 3.1.6 mode: "
                    "MODE takes a mode ADIF 3.1.6 lists, such as CW, SSB, FM, RTTY, FT8, MFSK or "
                    "PSK, and its variant goes in SUBMODE."}},
        RecordCase{"SubmodeOfItsMode", {{"MODE"}, {"SUBMODE"}}, {"MFSK", "FT4"}, {}},
        RecordCase{"SubmodeOfAnotherMode",
                   {{"SUBMODE"}, {"MODE"}},
                   {"ft4", "PSK"},
                   {"1: Check your 'Submode' columns ... SUBMODE FT4 does not belong to MODE "
                    "PSK: use MODE MFSK with SUBMODE FT4."}},
        RecordCase{"SubmodeWithoutMode",
                   {{"SUBMODE"}},
                   {"USB"},
                   {"1: Check your 'Submode' columns ... SUBMODE USB has no MODE in its record: "
                    "use MODE SSB with SUBMODE USB."}},
        RecordCase{"FrequencyInItsBand", {{"BAND"}, kFreq}, {"20m", "14.074"}, {}},
        RecordCase{"FrequencyBesideItsBand",
                   {{"BAND"}, kFreq},
                   {"20m", "14.5"},
                   {"2: Check your 'Frequency' columns ... FREQ 14.5 MHz lies outside BAND 20m: "
                    "the 20m band runs from 14 to 14.35 MHz."}},
        RecordCase{"ReceiveFrequencyBesideItsBand",
                   {{"FREQ_RX", TypeNumber}, {"BAND_RX"}, {"BAND"}},
                   {"0.475", "2190m", "630m"},
                   {"1: Check your 'Frequency' columns ... FREQ_RX 0.475 MHz lies outside "
                    "BAND_RX 2190m: the 2190m band runs from 0.1357 to 0.1378 MHz."}},
        RecordCase{"OntarioInCanada", {{"DXCC", TypeNumber}, {"STATE"}}, {"1", "ON"}, {}},
        RecordCase{"OntarioInTheUnitedStates",
                   {{"STATE"}, {"DXCC", TypeNumber}},
                   {"ON", "291"},
                   {"1: Check your 'State' columns ... STATE \"ON\" is not a subdivision of DXCC "
                    "entity 291 (it is one of DXCC entity 1): with DXCC 291 STATE takes one of "
                    "that entity's ADIF 3.1.6 codes."}},
        RecordCase{"AnyEntityWithoutDxcc", {{"STATE"}}, {"ACT"}, {}},
        RecordCase{"DateTimeAndNumberFormats",
                   {kDate, kTime, kFreq, {"AGE", TypeNumber}},
                   {"20230229", "2400", "14,074", "121"},
                   {"1: Check your date columns ... QSO_DATE \"20230229\" is not a date: ADIF "
                    "dates are YYYYMMDD, a day of the calendar from 1930 to 2026.",
                    "2: Check your time columns ... TIME_ON \"2400\" is not a time: ADIF times "
                    "are HHMM or HHMMSS, from 0000 to 235959.",
                    "3: Check your numeric columns ... FREQ \"14,074\" is not a number: ADIF "
                    "numbers are digits with at most one decimal point and an optional leading "
                    "minus sign, such as 14.074.",
                    "4: Check your numeric columns ... AGE \"121\" is out of range: AGE runs "
                    "from 0 to 120."}},
        RecordCase{"UserFieldsKeepTheirRecordsType",
                   {{"MY_NUMBER", TypeNumber, true}, {"MY_TEXT"}},
                   {"-1.5", "<anything>"},
                   {}}),
    [](const auto &info) { return std::string(info.param.name); });

const std::string kCq = "Check your numeric columns ... CQZ \"41\" is out of range: CQZ runs from "
                        "1 to 40.";

INSTANTIATE_TEST_SUITE_P(
    Band, CurrentRecord,
    ::testing::ValuesIn(one("BAND", {{"630m", true}, {"SUBMM", true}, {"11m", false}},
                            "Check your 'Band' columns ... BAND \"11m\" is not an ADIF 3.1.6 "
                            "band: BAND and BAND_RX take a band from 2190m to submm, such as "
                            "160m, 20m, 2m or 70cm.")));
INSTANTIATE_TEST_SUITE_P(
    Province, CurrentRecord,
    ::testing::ValuesIn(one("VE_PROV", {{"NU", true}, {"nl", true}, {"NF", false}},
                            "Check your 'VE Province' columns ... VE_PROV \"NF\" is not a "
                            "Canadian province or territory: VE_PROV takes one of AB, BC, MB, NB, "
                            "NL, NS, NT, NU, ON, PE, QC, SK, YT.")));
INSTANTIATE_TEST_SUITE_P(
    Continent, CurrentRecord,
    ::testing::ValuesIn(one("CONT", {{"AN", true}, {"eu", true}, {"AR", false}},
                            "Check your 'Continent' columns ... CONT \"AR\" is not a continent "
                            "of ADIF 3.1.6: CONT takes one of NA, SA, EU, AF, OC, AS, AN.")));
INSTANTIATE_TEST_SUITE_P(
    PropagationMode, CurrentRecord,
    ::testing::ValuesIn(one("PROP_MODE", {{"INTERNET", true}, {"EME", true}, {"AVE", false}},
                            "Check your 'Propagation Modes' columns ... PROP_MODE \"AVE\" is not "
                            "a propagation mode of ADIF 3.1.6: PROP_MODE takes one of AS, AUE, "
                            "AUR, BS, ECH, EME, ES, F2, FAI, GWAVE, INTERNET, ION, IRL, LOS, MS, "
                            "RPT, RS, SAT, TEP, TR.")));
INSTANTIATE_TEST_SUITE_P(
    QslSent, CurrentRecord,
    ::testing::ValuesIn(one("QSL_SENT", {{"Q", true}, {"x", false}},
                            "Check your 'QSL Flag' columns ... QSL_SENT \"x\" is not a QSL sent "
                            "flag of ADIF 3.1.6: QSL_SENT takes one of Y, N, R, Q, I.")));
INSTANTIATE_TEST_SUITE_P(
    QslReceivedImportOnly, CurrentRecord,
    ::testing::ValuesIn(one("QSL_RCVD", {{"R", true}, {"V", false}},
                            "Check your 'QSL Flag' columns ... QSL_RCVD \"V\" is not a QSL "
                            "received flag of ADIF 3.1.6: QSL_RCVD takes one of Y, N, R, I.")));
INSTANTIATE_TEST_SUITE_P(
    ArrlSection, CurrentRecord,
    ::testing::ValuesIn(one("ARRL_SECT", {{"ENY", true}, {"XYZ", false}},
                            "Check your 'ARRL Section' columns ... ARRL_SECT \"XYZ\" is not an "
                            "ARRL section: ARRL_SECT takes a section abbreviation of ADIF 3.1.6, "
                            "such as EMA, ENY or ON.")));
INSTANTIATE_TEST_SUITE_P(
    Dxcc, CurrentRecord,
    ::testing::ValuesIn(one("DXCC", {{"0", true}, {"291", true}, {"999", false}},
                            "Check your 'DXCC' columns ... DXCC \"999\" is not a DXCC entity "
                            "code: DXCC takes an ADIF 3.1.6 entity code, current or deleted, or 0 "
                            "for none.")));
INSTANTIATE_TEST_SUITE_P(CqZone, CurrentRecord,
                         ::testing::ValuesIn(one("CQZ", {{"40", true}, {"41", false}}, kCq)));
INSTANTIATE_TEST_SUITE_P(
    ItuZone, CurrentRecord,
    ::testing::ValuesIn(one("ITUZ", {{"90", true}, {"0", false}},
                            "Check your numeric columns ... ITUZ \"0\" is not a positive whole "
                            "number: ITUZ takes digits only, greater than 0.")));
INSTANTIATE_TEST_SUITE_P(
    GridSquare, CurrentRecord,
    ::testing::ValuesIn(one("GRIDSQUARE",
                            {{"FN", true}, {"fn31pr", true}, {"FN31pr42", true}, {"SS00", false}},
                            "Check your 'Grid Square' columns ... GRIDSQUARE \"SS00\" is not a "
                            "grid square: ADIF grid squares have 2, 4, 6 or 8 characters: two "
                            "letters A-R, two digits, two letters A-X, two digits, such as FN31 "
                            "or FN31pr.")));
INSTANTIATE_TEST_SUITE_P(SatelliteIsFreeText, CurrentRecord,
                         ::testing::ValuesIn(one("SAT_NAME", {{"QO-100", true}}, "")));

TEST(CurrentChecks, AcceptedValuesKeepTheirLetterCase)
{
    LogDocument document;
    fillGrid(document, {{"band"}, {"MODE"}}, {{" 20m", "ft8"}});
    document.setAdifMode(AdifMode::Current);
    ScriptedExportHost host;
    EXPECT_TRUE(checkLog(ExportFormat::Adif, document, host).empty());
    EXPECT_EQ(document.text(1, 1), "20m");
    EXPECT_EQ(document.text(2, 1), "ft8");
    EXPECT_EQ(document.text(1, 0), "BAND");
}

TEST(CurrentChecks, ExportStopsAtTheFirstProblemAndSelectsItsCell)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"MODE"}}, {{"K1ABC", "FT8"}, {"K2ABC", "FT4"}});
    document.setAdifMode(AdifMode::Current);
    ScriptedExportHost host;
    EXPECT_EQ(buildExportText(ExportFormat::Html, document, host).result.status,
              ExportStatus::CheckFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, "Problem:");
    EXPECT_NE(host.messages[0].second.find("MODE MFSK with SUBMODE FT4"), std::string::npos);
    EXPECT_EQ(host.selections, (std::vector<std::pair<int, int>>{{2, 2}}));
}

// --- writers ---------------------------------------------------------------

ExportText buildCurrent(ExportFormat format, TextEncoding encoding,
                        const std::vector<ColumnSpec> &columns,
                        const std::vector<std::string> &values, const std::string &comment = "")
{
    LogDocument document;
    fillGrid(document, columns, {values});
    document.setAdifMode(AdifMode::Current);
    document.setTextEncoding(encoding);
    document.editableCellInfo(1, 1)->comment = comment;
    ScriptedExportHost host;
    return buildExportText(format, document, host);
}

TEST(CurrentWriters, AdifValuesMayHoldBracketsAndCountBytes)
{
    const ExportText built = buildCurrent(ExportFormat::Adif, TextEncoding::Utf8,
                                          {{"NAME"}, {"COMMENT"}}, {"Zo\xC3\xAB", "a <b> c"});
    ASSERT_TRUE(built.result) << built.result.reason;
    EXPECT_NE(built.text.find("<NAME:4>Zo\xC3\xAB<COMMENT:7>a <b> c<EOR>"), std::string::npos);
}

TEST(CurrentWriters, AdifCommentsMayNotHoldBrackets)
{
    const ExportText built
        = buildCurrent(ExportFormat::Adif, TextEncoding::Latin1, {{"CALL"}}, {"K1ABC"}, " <x>");
    EXPECT_EQ(built.result.status, ExportStatus::CheckFailed);
}

struct DeclarationCase {
    ExportFormat format;
    TextEncoding encoding;
    std::string present;
    std::string absent;
};

class CurrentDeclarations : public ::testing::TestWithParam<DeclarationCase> { };

TEST_P(CurrentDeclarations, NameTheTextsEncoding)
{
    const DeclarationCase &c = GetParam();
    const ExportText built = buildCurrent(c.format, c.encoding, {{"NAME"}}, {"a<b"});
    ASSERT_TRUE(built.result) << built.result.reason;
    EXPECT_NE(built.text.find(c.present), std::string::npos);
    EXPECT_EQ(built.text.find(c.absent), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrentDeclarations,
    ::testing::Values(
        DeclarationCase{ExportFormat::Xml, TextEncoding::Utf8, "encoding=\"UTF-8\"", "8859"},
        DeclarationCase{ExportFormat::Xml, TextEncoding::Latin1, "encoding=\"ISO-8859-1\"",
                        "UTF-8"},
        DeclarationCase{ExportFormat::Html, TextEncoding::Utf8,
                        "</TITLE><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                        "charset=UTF-8\"><STYLE",
                        "a<b"},
        DeclarationCase{ExportFormat::Html, TextEncoding::Latin1, "a&lt;b", "charset"}));

}  // namespace
}  // namespace vaziduvu
