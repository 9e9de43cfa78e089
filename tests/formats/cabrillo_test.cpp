// Cabrillo QSO: lines of every template into ADIF fields and back.

#include "formats/cabrillo_format.h"

#include "formats_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace vaziduvu;
using vaziduvu::test::fieldLines;
using vaziduvu::test::messages;

struct QsoCase {
    const char *name;
    const char *contest;
    const char *line;
    // "FIELD=value" must be in the contact; "FIELD=" must not.
    std::vector<const char *> fields;
    AdifMode mode = AdifMode::Classic;
};

const QsoCase kQsoCases[] = {
    {"CqWw",
     "CQ-WW-CW",
     "QSO: 14025 CW 2026-10-24 0001 K1ABC 599 05 JA1XYZ 599 25 1",
     {"CALL=JA1XYZ", "STATION_CALLSIGN=K1ABC", "FREQ=14.025", "BAND=20m", "MODE=CW",
      "QSO_DATE=20261024", "TIME_ON=0001", "RST_SENT=599", "MY_CQ_ZONE=05", "RST_RCVD=599",
      "CQZ=25", "SRX_STRING=599 25", "STX_STRING=", "APP_VAZIDUVU_TX=1", "CONTEST_ID=CQ-WW-CW"}},
    {"CqWwPhoneHalfKilohertz",
     "CQ-WW-SSB",
     "QSO: 3799.5 PH 2026-10-24 0000 K1ABC 59 05 DL1ABC 59 14",
     {"FREQ=3.7995", "BAND=80m", "MODE=SSB", "RST_RCVD=59", "CQZ=14", "APP_VAZIDUVU_TX="}},
    {"CqWwRttyDx",
     "CQ-WW-RTTY",
     "QSO: 14080 RY 2026-09-26 0000 K1ABC 599 05 MA DL1ABC 599 14 DX",
     {"MODE=RTTY", "MY_STATE=MA", "CQZ=14", "STATE=", "SRX_STRING=599 14 DX", "STX_STRING="}},
    {"CqWwRttyState",
     "CQ-WW-RTTY",
     "QSO: 7080 RY 2026-09-26 0001 K1ABC 599 05 MA W7XYZ 599 03 WA",
     {"STATE=WA", "CQZ=03"}},
    {"CqWpxSerialsNotJoinedToReports",
     "CQ-WPX-SSB",
     "QSO: 14200 PH 2025-03-29 0001 DL1ABC 59 001 K1ABC 59 012",
     {"STX=001", "SRX=012", "RST_SENT=59", "RST_RCVD=59", "SRX_STRING=59 012"}},
    {"CqWpxRtty",
     "CQ-WPX-RTTY",
     "QSO: 7040 RY 2025-02-08 0001 DL1ABC 599 1 W1AW 599 1234",
     {"SRX=1234", "STX=1"}},
    {"ArrlDxPowerReceived",
     "ARRL-DX-CW",
     "QSO: 14025 CW 2026-02-21 0000 K1ABC 599 MA DL1ABC 599 100",
     {"MY_STATE=MA", "RX_PWR=100", "STATE=", "SRX_STRING=599 100"}},
    {"ArrlDxProvinceReceived",
     "ARRL-DX-SSB",
     "QSO: 14250 PH 2026-03-07 0000 DL1ABC 59 KW VE3XYZ 59 ON",
     {"VE_PROV=ON", "STX_STRING=59 KW", "TX_PWR="}},
    {"ArrlDxProvinceCurrent",
     "ARRL-DX-SSB",
     "QSO: 14250 PH 2026-03-07 0000 DL1ABC 59 KW VE3XYZ 59 ON",
     {"STATE=ON", "VE_PROV="},
     AdifMode::Current},
    {"SweepstakesPrecedenceAndSection",
     "ARRL-SS-CW",
     "QSO: 21042 CW 2026-11-07 2102 N5KO 1 B 74 STX K9ZO 2 A 69 IL",
     {"SRX=2", "PRECEDENCE=A", "CHECK=69", "ARRL_SECT=IL", "STX=1", "MY_ARRL_SECT=STX",
      "STX_STRING=1 B 74 STX", "SRX_STRING=2 A 69 IL"}},
    {"FieldDay",
     "ARRL-FD",
     "QSO: 7030 CW 2026-06-27 1800 W1AW 3A CT K2XYZ 2A EMA",
     {"CLASS=2A", "ARRL_SECT=EMA", "STX_STRING=3A CT", "SRX_STRING=2A EMA"}},
    {"FieldDayDx",
     "ARRL-FD",
     "QSO: 14250 PH 2026-06-27 1805 W1AW 3A CT DL1ABC 1D DX",
     {"CLASS=1D", "ARRL_SECT=", "SRX_STRING=1D DX"}},
    {"NaqpNameAndState",
     "NAQP-CW",
     "QSO: 7030 CW 2026-01-10 1800 K1ABC BOB MA W7XYZ JIM WA",
     {"MY_NAME=BOB", "MY_STATE=MA", "NAME=JIM", "STATE=WA", "STX_STRING="}},
    {"NaqpDx",
     "NAQP-SSB",
     "QSO: 3800 PH 2026-08-01 1802 K1ABC BOB MA XE1ABC JOSE DX",
     {"NAME=JOSE", "STATE=", "SRX_STRING=JOSE DX"}},
    {"IaruZone",
     "IARU-HF",
     "QSO: 14025 CW 2026-07-11 1200 K1ABC 599 08 OH2BH 599 18",
     {"MY_ITU_ZONE=08", "ITUZ=18"}},
    {"IaruSociety",
     "IARU-HF",
     "QSO: 14025 CW 2026-07-11 1201 K1ABC 599 08 DA0HQ 599 DARC",
     {"ITUZ=", "SRX_STRING=599 DARC"}},
    {"Arrl10Serial",
     "ARRL-10",
     "QSO: 28025 CW 2026-12-12 0000 DL1ABC 599 12 W1AW 599 CT",
     {"STX=12", "STATE=CT"}},
    {"Arrl160DxSendsReportOnly",
     "ARRL-160",
     "QSO: 1830 CW 2026-12-05 0100 DL1ABC 599 W1AW 599 CT",
     {"CALL=W1AW", "FREQ=1.83", "BAND=160m", "ARRL_SECT=CT", "STX_STRING="}},
    {"VhfBandToken",
     "ARRL-VHF-JAN",
     "QSO: 144 CW 2026-01-17 1905 W1XYZ FN42 W2ABC FN30",
     {"BAND=2m", "FREQ=", "STX_STRING=FN42", "SRX_STRING=FN30", "APP_VAZIDUVU_CBR_FREQ="}},
    {"MicrowaveBandToken",
     "ARRL-VHF-JAN",
     "QSO: 1.2G FM 2026-01-17 1910 W1XYZ FN42 N1ABC FN41",
     {"BAND=23cm", "MODE=FM"}},
    {"SixMetresInKilohertzKept",
     "ARRL-VHF-JAN",
     "QSO: 50125 PH 2026-01-17 1912 W1XYZ FN42 K3ABC FM29",
     {"FREQ=50.125", "BAND=6m", "APP_VAZIDUVU_CBR_FREQ=50125"}},
    {"GenericReportAndRest",
     "SOME-CONTEST",
     "QSO: 3550 CW 2026-01-01 0000 OK1ABC 599 001 OK2XYZ 599 005 1",
     {"RST_SENT=599", "STX_STRING=001", "RST_RCVD=599", "SRX_STRING=005", "APP_VAZIDUVU_TX=1"}},
    {"DigitalModeHasNoAdifMode",
     "CQ-WW-CW",
     "QSO: 14080 DG 2026-10-24 0002 K1ABC 599 05 JA1XYZ 599 25",
     {"MODE=", "APP_VAZIDUVU_CBR_MODE=DG"}},
    {"CrossedOutQso",
     "CQ-WW-CW",
     "X-QSO: 21025 CW 2026-10-24 0003 K1ABC 599 05 UA9ABC 599 17",
     {"APP_VAZIDUVU_XQSO=Y", "CQZ=17"}},
};

std::string cabrilloFile(const char *contest, const char *line)
{
    return std::string("START-OF-LOG: 3.0\r\nCONTEST: ") + contest + "\r\nCALLSIGN: K1ABC\r\n"
        + line + "\r\nEND-OF-LOG:\r\n";
}

std::vector<std::string> tokens(std::string_view line)
{
    std::vector<std::string> result;
    std::string current;
    for (const char c : std::string(line) + " ") {
        if (c == ' ' || c == '\r' || c == '\n') {
            if (!current.empty())
                result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return result;
}

class QsoLine : public ::testing::TestWithParam<QsoCase> { };

TEST_P(QsoLine, FieldsAndBackToTheSameLine)
{
    const QsoCase &qso = GetParam();
    ReadOptions options;
    options.mode = qso.mode;
    const ContactLog log = readCabrillo(cabrilloFile(qso.contest, qso.line), options);
    ASSERT_EQ(messages(log.problems), "");
    ASSERT_EQ(log.contacts.size(), 1u);
    const Contact &contact = log.contacts.front();
    for (const std::string expected : qso.fields) {
        const size_t equals = expected.find('=');
        const std::string name = expected.substr(0, equals);
        EXPECT_EQ(contact.value(name), expected.substr(equals + 1))
            << name << " in " << fieldLines(log).front();
    }

    const OpenedLog opened = openContactLog(log, qso.mode, "test");
    ASSERT_TRUE(opened);
    const CabrilloText written = writeCabrillo(*opened.document, {});
    ASSERT_EQ(messages(written.problems), "");
    const size_t at = written.text.find("QSO: ");
    ASSERT_NE(at, std::string::npos);
    const size_t start = written.text.rfind('\n', at) + 1;
    EXPECT_EQ(tokens(written.text.substr(start, written.text.find('\n', at) - start)),
              tokens(qso.line));
}

INSTANTIATE_TEST_SUITE_P(Templates, QsoLine, ::testing::ValuesIn(kQsoCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct BadLine {
    const char *name;
    const char *line;
    const char *reason;
};

const BadLine kBadLines[] = {
    {"TooFewColumns", "QSO: 14025 CW 2026-10-24 0001 K1ABC", "needs frequency"},
    {"DateNotIso", "QSO: 14025 CW 24.10.2026 0001 K1ABC 599 05 JA1XYZ 599 25", "the date"},
    {"TimeWithColon", "QSO: 14025 CW 2026-10-24 00:01 K1ABC 599 05 JA1XYZ 599 25", "the time"},
    {"FrequencyNotANumber", "QSO: 14O25 CW 2026-10-24 0001 K1ABC 599 05 JA1XYZ 599 25",
     "neither kHz nor a band"},
    {"NoSecondCall", "QSO: 14025 CW 2026-10-24 0001 K1ABC 599 05 599 25", "no call sign"},
};

class UnreadableQsoLine : public ::testing::TestWithParam<BadLine> { };

TEST_P(UnreadableQsoLine, IsNamedWithItsLineAndNothingElseIsLost)
{
    const std::string text = "START-OF-LOG: 3.0\nCONTEST: CQ-WW-CW\n"
                             "QSO: 7003 CW 2026-10-24 0000 K1ABC 599 05 DL1ABC 599 14\n"
        + std::string(GetParam().line) + "\nEND-OF-LOG:\n";
    const ContactLog log = readCabrillo(text, {});
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].line, 4);
    EXPECT_NE(log.problems[0].text.find(GetParam().reason), std::string::npos)
        << log.problems[0].text;
    EXPECT_EQ(log.contacts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Lines, UnreadableQsoLine, ::testing::ValuesIn(kBadLines),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CabrilloReader, TemplateGivenByNameOverridesTheContest)
{
    ReadOptions options;
    options.templateName = "cq-wpx";
    const ContactLog log = readCabrillo(
        cabrilloFile("SOME-CONTEST", "QSO: 14200 PH 2025-03-29 0001 DL1ABC 59 001 K1ABC 59 012"),
        options);
    EXPECT_EQ(log.templateName, "CQ-WPX");
    EXPECT_EQ(log.contacts.at(0).value("SRX"), "012");
    options.templateName = "NO-SUCH";
    EXPECT_FALSE(readCabrillo(cabrilloFile("CQ-WW-CW", ""), options).problems.empty());
}

TEST(CabrilloReader, RefusesTextWithoutStartOfLog)
{
    const ContactLog log = readCabrillo("<CALL:4>W1AW <EOR>\n", {});
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].line, 1);
}

struct FrequencyCase {
    const char *freq;
    const char *band;
    const char *expected;
};

TEST(CabrilloWriter, FrequencyColumnFromFreqOrBand)
{
    const FrequencyCase cases[] = {
        {"14.025", "", "14025"}, {"7.0035", "", "7003.5"},
        {"1.8", "", "1800"},     {"0.1375", "", "137.5"},
        {"144.2", "2m", "144"},  {"", "70cm", "432"},
        {"", "20m", "14000"},    {"", "", ""},
        {"10368.1", "", "10G"},
    };
    for (const FrequencyCase &c : cases)
        EXPECT_EQ(cabrilloFrequencyOf(c.freq, c.band), c.expected) << c.freq << " " << c.band;
}

TEST(CabrilloWriter, RowsWithoutWhatALineNeedsAreNamed)
{
    ContactLog log;
    log.contacts.push_back({{{"CALL", "W1AW", 0},
                             {"QSO_DATE", "20261209", 0},
                             {"TIME_ON", "0346", 0},
                             {"BAND", "20m", 0},
                             {"MODE", "FT8", 0}}});
    log.contacts.push_back({{{"CALL", "K1ABC", 0}, {"QSO_DATE", "20261209", 0}}});
    const OpenedLog opened = openContactLog(log, AdifMode::Current, "test");
    ASSERT_TRUE(opened);
    CabrilloText written = writeCabrillo(*opened.document, {});
    EXPECT_EQ(messages(written.problems),
              "0: the log names no station call sign (STATION_CALLSIGN)\n1: no STATION_CALLSIGN\n"
              "2: no TIME_ON (HHMM)\n");
    CabrilloWriteOptions options;
    options.stationCall = "DL1ABC";
    options.contest = "CQ-WW-CW";
    opened.document->setText(3, 2, "0347");
    ASSERT_EQ(opened.document->text(3, 0), "TIME_ON");
    opened.document->setText(4, 2, "40m");
    written = writeCabrillo(*opened.document, options);
    EXPECT_EQ(messages(written.problems), "2: no MODE\n");
}

}  // namespace
