// The log's figures: one planted log per rule that could go wrong, each
// compared with its figures counted by hand.
#include "document/log_statistics.h"
#include "document_test_util.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace vaziduvu {
namespace {

// The figures as one line: contacts, calls, dates, bands, modes, years,
// entities worked/confirmed and per band.
std::string summary(const LogStatistics &s)
{
    std::ostringstream out;
    out << "contacts=" << s.contacts << " calls=" << s.uniqueCalls << " dates=" << s.firstDate
        << ".." << s.lastDate << " bands=";
    for (size_t b = 0; b < s.bands.size(); ++b)
        out << (b ? "," : "") << s.bands[b] << ':' << s.bandContacts[b];
    out << " modes=";
    for (size_t m = 0; m < s.modes.size(); ++m)
        out << (m ? "," : "") << s.modes[m] << ':' << s.modeContacts[m];
    out << " years=";
    for (size_t y = 0; y < s.years.size(); ++y)
        out << (y ? "," : "") << s.years[y].year << ':' << s.years[y].contacts;
    out << " dxcc=" << s.entitiesWorked() << '/' << s.entitiesConfirmed << " dxccBands=";
    for (size_t b = 0; b < s.bands.size(); ++b)
        out << (b ? "," : "") << s.bands[b] << ':' << s.bandEntitiesWorked[b] << '/'
            << s.bandEntitiesConfirmed[b];
    return out.str();
}

struct FiguresCase {
    const char *name;
    const char *records;  // after the header
    const char *expected;
};

void PrintTo(const FiguresCase &c, std::ostream *os)
{
    *os << c.name;
}

class LogFigures : public ::testing::TestWithParam<FiguresCase> { };

TEST_P(LogFigures, CountedAsByHand)
{
    test::LoadedLog log;
    test::loadInto(log, std::string("planted <EOH>\n") + GetParam().records);
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    EXPECT_EQ(summary(LogStatistics::of(log.document)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Planted, LogFigures,
    ::testing::Values(
        FiguresCase{"BandFromFreqWhereBandIsEmpty",
                    "<CALL:3>K1A<FREQ:6>14.074<MODE:3>FT8<QSO_DATE:8>20240101<EOR>\n"
                    "<CALL:3>K1B<BAND:0><FREQ:5>7.030<MODE:2>CW<QSO_DATE:8>20240102<EOR>\n"
                    "<CALL:3>K1C<BAND:3>40m<FREQ:6>14.074<MODE:2>CW<QSO_DATE:8>20240103<EOR>\n",
                    "contacts=3 calls=3 dates=20240101..20240103 bands=40M:2,20M:1 "
                    "modes=CW:2,FT8:1 years=2024:3 dxcc=0/0 dxccBands=40M:0/0,20M:0/0"},
        FiguresCase{"NeitherBandNorFrequencyInABand",
                    "<CALL:3>K1A<MODE:2>CW<EOR>\n"
                    "<CALL:3>K1B<FREQ:4>15.0<MODE:2>CW<EOR>\n"
                    "<CALL:3>K1C<FREQ:3>abc<MODE:2>CW<EOR>\n",
                    "contacts=3 calls=3 dates=.. bands=:3 modes=CW:3 years=:3 dxcc=0/0 "
                    "dxccBands=:0/0"},
        FiguresCase{"EmptyAndLowerCaseMode",
                    "<CALL:3>K1A<BAND:3>20m<MODE:0><EOR>\n"
                    "<CALL:3>K1B<BAND:3>20M<MODE:2>cw<EOR>\n",
                    "contacts=2 calls=2 dates=.. bands=20M:2 modes=CW:1,:1 years=:2 dxcc=0/0 "
                    "dxccBands=20M:0/0"},
        FiguresCase{"DatesEmptyInvalidOrTooEarly",
                    "<CALL:3>K1A<QSO_DATE:0><EOR>\n"
                    "<CALL:3>K1B<QSO_DATE:8>20230230<EOR>\n"
                    "<CALL:3>K1C<QSO_DATE:8>19290101<EOR>\n"
                    "<CALL:3>K1D<QSO_DATE:8>20220615<EOR>\n"
                    "<CALL:3>K1E<QSO_DATE:8>19300101<EOR>\n",
                    "contacts=5 calls=5 dates=19300101..20220615 bands=:5 modes=:5 "
                    "years=1929:1,1930:1,2022:1,2023:1,:1 dxcc=0/0 dxccBands=:0/0"},
        FiguresCase{"DxccZeroTextAndLeadingZeroes",
                    "<CALL:3>K1A<BAND:3>20M<DXCC:1>0<EOR>\n"
                    "<CALL:3>K1B<BAND:3>20M<DXCC:3>001<EOR>\n"
                    "<CALL:3>K1C<BAND:3>20M<DXCC:1>1<EOR>\n"
                    "<CALL:3>K1D<BAND:3>20M<DXCC:3>abc<EOR>\n"
                    "<CALL:3>K1E<BAND:3>20M<DXCC:3>000<EOR>\n"
                    "<CALL:3>K1F<BAND:3>20M<DXCC:3>291<EOR>\n",
                    "contacts=6 calls=6 dates=.. bands=20M:6 modes=:6 years=:6 dxcc=2/0 "
                    "dxccBands=20M:2/0"},
        FiguresCase{"ConfirmedByPaperOrLotwOnly",
                    "<CALL:3>K1A<BAND:3>20M<DXCC:1>1<QSL_RCVD:1>Y<LOTW_QSL_RCVD:1>N<EOR>\n"
                    "<CALL:3>K1B<BAND:3>20M<DXCC:3>291<QSL_RCVD:1>N<LOTW_QSL_RCVD:1>y<EOR>\n"
                    "<CALL:3>K1C<BAND:3>20M<DXCC:3>230<QSL_RCVD:1>R<LOTW_QSL_RCVD:1>N<EOR>\n",
                    "contacts=3 calls=3 dates=.. bands=20M:3 modes=:3 years=:3 dxcc=3/2 "
                    "dxccBands=20M:3/2"},
        FiguresCase{"OneBandConfirmedAnotherNot",
                    "<CALL:3>K1A<BAND:3>20M<DXCC:3>291<LOTW_QSL_RCVD:1>Y<EOR>\n"
                    "<CALL:3>K1A<BAND:3>40M<DXCC:3>291<LOTW_QSL_RCVD:1>N<EOR>\n"
                    "<CALL:3>K1B<BAND:3>40M<DXCC:3>291<EOR>\n",
                    "contacts=3 calls=2 dates=.. bands=40M:2,20M:1 modes=:3 years=:3 "
                    "dxcc=1/1 dxccBands=40M:1/0,20M:1/1"},
        FiguresCase{"CallsTrimmedUpperCasedEmptyNotCounted",
                    "<CALL:6> w1aw <EOR>\n<CALL:4>W1AW<EOR>\n<CALL:0><EOR>\n<CALL:2>  <EOR>\n",
                    "contacts=4 calls=1 dates=.. bands=:4 modes=:4 years=:4 dxcc=0/0 "
                    "dxccBands=:0/0"},
        FiguresCase{
            "BandsInBandOrder",
            "<BAND:2>6m<EOR>\n<BAND:4>160m<EOR>\n<BAND:3>20m<EOR>\n<BAND:2>2m<EOR>\n"
            "<BAND:3>XYZ<EOR>\n<BAND:0><EOR>\n<BAND:5>70cm<EOR>\n<BAND:3>ABC<EOR>\n",
            "contacts=8 calls=0 dates=.. bands=160M:1,20M:1,6M:1,2M:1,70CM:1,ABC:1,XYZ:1,:1 "
            "modes=:8 years=:8 dxcc=0/0 "
            "dxccBands=160M:0/0,20M:0/0,6M:0/0,2M:0/0,70CM:0/0,ABC:0/0,XYZ:0/0,:0/0"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LogFigures, BandModeTableAddsUpToItsTotals)
{
    test::LoadedLog log;
    test::loadInto(log,
                   "x <EOH><BAND:3>20M<MODE:2>CW<EOR><BAND:3>20M<MODE:3>SSB<EOR>"
                   "<BAND:3>40M<MODE:2>CW<EOR><BAND:3>20M<MODE:2>CW<EOR>");
    const LogStatistics s = LogStatistics::of(log.document);
    ASSERT_EQ(s.bands, (std::vector<std::string>{"40M", "20M"}));
    ASSERT_EQ(s.modes, (std::vector<std::string>{"CW", "SSB"}));
    EXPECT_EQ(s.bandModeContacts, (std::vector<int>{1, 0, 2, 1}));
}

// The rows behind a bar or a cell follow the same rules as the figures.
struct RowsCase {
    const char *name;
    ContactSelection selection;
    std::vector<int> rows;
};

void PrintTo(const RowsCase &c, std::ostream *os)
{
    *os << c.name;
}

class ContactRows : public ::testing::TestWithParam<RowsCase> { };

TEST_P(ContactRows, AreThoseCounted)
{
    test::LoadedLog log;
    test::loadInto(log,
                   "x <EOH>"
                   "<FREQ:6>14.074<MODE:3>FT8<QSO_DATE:8>20230101<DXCC:3>001<EOR>"
                   "<BAND:3>20m<MODE:2>cw<QSO_DATE:8>20240101<DXCC:1>1<EOR>"
                   "<BAND:3>40M<MODE:2>CW<QSO_DATE:8>20240101<DXCC:3>291<EOR>"
                   "<MODE:0><EOR>");
    EXPECT_EQ(contactRows(log.document, GetParam().selection), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ContactRows,
    ::testing::Values(RowsCase{"Everything", {}, {1, 2, 3, 4}},
                      RowsCase{"BandFromFrequency", {"20M", {}, {}, {}}, {1, 2}},
                      RowsCase{"BandAndMode", {"20M", {"CW"}, {}, {}}, {2}},
                      RowsCase{"AnyOfModes", {{}, {"FT8", "CW"}, {}, {}}, {1, 2, 3}},
                      RowsCase{"NoBandNoMode", {"", {""}, {}, {}}, {4}},
                      RowsCase{"Year", {{}, {}, "2024", {}}, {2, 3}},
                      RowsCase{"EntityAsNumber", {{}, {}, {}, 1}, {1, 2}},
                      RowsCase{"EntityOnBand", {"40M", {}, {}, 291}, {3}}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vaziduvu
