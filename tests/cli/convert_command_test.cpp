// Runs `vaziduvu-cli convert` between every form and checks what it writes,
// prints and returns.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using vaziduvu::test::readBytes;
using vaziduvu::test::RunResult;

class ConvertCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = vaziduvu::test::testFolder("vaziduvu-cli-convert");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string &name) const { return (folder_ / name).string(); }
    std::string write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    RunResult convert(std::vector<std::string> args) const
    {
        args.insert(args.begin(), "convert");
        return vaziduvu::test::runCli(args, file("stderr.txt"));
    }
    // The records after the export header (which carries today's date), with
    // type letters and line ends left out: the forms keep names and values.
    std::string records(const std::string &adif) const
    {
        const std::string text = readBytes(adif);
        std::string kept;
        for (size_t at = text.find("<EOH>"); at < text.size(); ++at) {
            if (text[at] == ':' && at + 2 < text.size() && text[at + 2] == '>'
                && std::isalpha(static_cast<unsigned char>(text[at + 1])))
                at += 1;
            else if (text[at] != '\r')
                kept += text[at];
        }
        return kept;
    }
    std::vector<std::string> qsoLines(const std::string &path) const
    {
        std::vector<std::string> lines;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("QSO:", 0) != 0 && line.rfind("X-QSO:", 0) != 0)
                continue;
            std::string tokens;
            for (const char c : line + " ") {
                if (c == ' ' || c == '\r') {
                    if (!tokens.empty() && tokens.back() != ' ')
                        tokens += ' ';
                } else {
                    tokens += c;
                }
            }
            lines.push_back(tokens);
        }
        return lines;
    }

    fs::path folder_;
};

// Every Cabrillo fixture becomes ADIF and comes back as the same QSO: lines.
class CabrilloThroughAdif : public ConvertCommand,
                            public ::testing::WithParamInterface<const char *> { };

TEST_P(CabrilloThroughAdif, GivesTheSameQsoLines)
{
    const std::string source = std::string(TEST_DATA_DIR "/") + GetParam();
    const RunResult toAdif = convert({source, file("log.adi")});
    ASSERT_EQ(toAdif.status, 0) << toAdif.err;
    EXPECT_NE(toAdif.out.find("Saved: " + file("log.adi")), std::string::npos);
    const RunResult back = convert({file("log.adi"), file("back.cbr")});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(qsoLines(file("back.cbr")), qsoLines(source));
    EXPECT_EQ(readBytes(file("back.cbr")).rfind("START-OF-LOG: 3.0\r\n", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Contests, CabrilloThroughAdif,
                         ::testing::Values("cabrillo-cq-ww-cw.log", "cabrillo-arrl-ss.log",
                                           "cabrillo-field-day.log", "cabrillo-naqp.log",
                                           "cabrillo-vhf.log", "cabrillo-wpx-v2.log"));

struct ChainCase {
    const char *name;
    const char *source;
    std::vector<const char *> through;  // target extensions in turn, back to .adi last
    bool current = false;
};

class ConvertChain : public ConvertCommand, public ::testing::WithParamInterface<ChainCase> { };

TEST_P(ConvertChain, KeepsEveryRecordNameAndValue)
{
    const ChainCase &chain = GetParam();
    std::vector<std::string> mode;
    if (chain.current)
        mode.push_back("--current-adif");
    auto run = [&](const std::string &from, const std::string &to) {
        std::vector<std::string> args = mode;
        args.insert(args.end(), {"convert", from, to});
        return vaziduvu::test::runCli(args, file("stderr.txt"));
    };
    ASSERT_EQ(run(chain.source, file("start.adi")).status, 0);
    std::string from = file("start.adi");
    int step = 0;
    for (const char *extension : chain.through) {
        const std::string to = file("step" + std::to_string(++step) + extension);
        const RunResult result = run(from, to);
        ASSERT_EQ(result.status, 0) << to << "\n" << result.err;
        from = to;
    }
    EXPECT_EQ(records(from), records(file("start.adi")));
}

const ChainCase kChains[] = {
    {"AdxMixed", TEST_DATA_DIR "/convert-mixed.adi", {".adx", ".adi"}},
    {"CsvMixed", TEST_DATA_DIR "/convert-mixed.adi", {".CSV", ".adif"}},
    {"AdxCsvUtf8Current", TEST_DATA_DIR "/current-utf8-names.adi", {".adx", ".csv", ".adi"}, true},
    {"CsvExample", EXAMPLES_DIR "/clean-with-header.adi", {".csv", ".adx", ".adi"}},
};

INSTANTIATE_TEST_SUITE_P(Forms, ConvertChain, ::testing::ValuesIn(kChains),
                         [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    std::vector<std::string> args;  // "@" stands for the test's folder
    const char *sourceText;         // written as @/source.log when not null
    int status;
    const char *err;  // a line the error output holds
};

class ConvertRefusal : public ConvertCommand, public ::testing::WithParamInterface<RefusalCase> { };

TEST_P(ConvertRefusal, WritesNothing)
{
    const RefusalCase &refusal = GetParam();
    if (refusal.sourceText != nullptr)
        write("source.log", refusal.sourceText);
    write("taken.adx", "keep me");
    std::vector<std::string> args;
    for (std::string arg : refusal.args) {
        if (arg.rfind("@/", 0) == 0)
            arg = file(arg.substr(2));
        args.push_back(arg);
    }
    const RunResult result = convert(args);
    EXPECT_EQ(result.status, refusal.status);
    std::string expected = refusal.err;
    if (expected.rfind("@/", 0) == 0)
        expected = file(expected.substr(2));
    EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(file("out.adi")));
    EXPECT_EQ(readBytes(file("taken.adx")), "keep me");
}

const char *const kBadLineLog = "START-OF-LOG: 3.0\nCONTEST: CQ-WW-CW\n"
                                "QSO: 14025 CW 2026-10-24 0001 K1ABC 599 05 JA1XYZ 599 25\n"
                                "QSO: 14025 CW 2026-10-24 01:02 K1ABC 599 05 JA1XYZ 599 25\n"
                                "END-OF-LOG:\n";

const RefusalCase kRefusals[] = {
    {"UnreadableLineNamedFileAndLine",
     {"@/source.log", "@/out.adi"},
     kBadLineLog,
     1,
     "@/source.log:4: the time \"01:02\" is not HHMM"},
    {"NeverOverwrites",
     {TEST_DATA_DIR "/convert-mixed.adi", "@/taken.adx"},
     nullptr,
     1,
     "Problem: "},
    {"UnknownExtension",
     {TEST_DATA_DIR "/convert-mixed.adi", "@/out.txt"},
     nullptr,
     2,
     "is not named as a log"},
    {"UnknownTemplate",
     {"--cabrillo-template", "NOPE", "@/source.log", "@/out.adi"},
     kBadLineLog,
     2,
     "no Cabrillo template is named 'NOPE'"},
    {"MissingSource", {"@/none.csv", "@/out.adi"}, nullptr, 2, "cannot read"},
    {"OptionWithoutValue", {"@/source.log", "@/out.adi", "--contest"}, kBadLineLog, 2, "usage:"},
    {"CheckFailsBeforeWriting",
     {"@/source.log", "@/out.adi"},
     "START-OF-LOG: 3.0\nQSO: 14025 CW 2026-13-45 0001 K1ABC 599 JA1XYZ 599\n",
     1,
     "Problem: File could not be saved"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConvertRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ConvertCommand, CabrilloFromPlainAdifUsesTheGivenContestAndCall)
{
    const std::string adif = write(
        "plain.adi",
        "plain\n<EOH>\n<CALL:6>DL1ABC <QSO_DATE:8>20260329 <TIME_ON:6>000102 <FREQ:6>14.200 "
        "<MODE:3>SSB <RST_SENT:2>59 <STX:1>7 <RST_RCVD:2>57 <SRX:3>123 <EOR>\n");
    const RunResult result
        = convert({"--contest", "CQ-WPX-SSB", "--station-call", "K1ABC", adif, file("out.cbr")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readBytes(file("out.cbr")),
              "START-OF-LOG: 3.0\r\nCALLSIGN: K1ABC\r\nCONTEST: CQ-WPX-SSB\r\nCREATED-BY: "
              "vaziduvu " VAZIDUVU_VERSION
              "\r\nQSO: 14200 PH 2026-03-29 0001 K1ABC 59 7 DL1ABC 57 123\r\nEND-OF-LOG:\r\n");
    const RunResult noCall = convert({adif, file("other.log")});
    EXPECT_EQ(noCall.status, 1);
    EXPECT_NE(noCall.err.find("no station call sign"), std::string::npos) << noCall.err;
    EXPECT_FALSE(fs::exists(file("other.log")));
}

TEST_F(ConvertCommand, NotesOfADigitalModeArePrinted)
{
    const std::string source = write("dg.log",
                                     "START-OF-LOG: 3.0\nCONTEST: CQ-WW-RTTY\n"
                                     "QSO: 14080 DG 2026-09-26 0000 K1ABC 599 05 MA "
                                     "DL1ABC 599 14 DX\nEND-OF-LOG:\n");
    const RunResult result = convert({source, file("dg.adx")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(source + ":3: note: the mode DG has no ADIF mode"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("(Cabrillo, contest CQ-WW-RTTY, template CQ-WW-RTTY)"),
              std::string::npos);
}

}  // namespace
