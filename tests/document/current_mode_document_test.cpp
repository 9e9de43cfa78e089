#include "document/search.h"

#include "document_test_util.h"

namespace vaziduvu::test {
namespace {

// NAME counted in characters; QTH two three-byte characters.
const char kUtf8Log[] = "h<EOH><NAME:4>J\xC3\xB6rg<QTH:6>\xE3\x81\x82\xE3\x81\x84<EOR>\n";

void loadCurrent(LoadedLog &log, const std::string &adif)
{
    log.file.setMode(AdifMode::Current);
    loadInto(log, adif);
}

TEST(CurrentModeDocument, TakesTheFileEncodingAndMarksCharacterCounts)
{
    LoadedLog log;
    loadCurrent(log, kUtf8Log);
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    EXPECT_EQ(log.document.textEncoding(), TextEncoding::Utf8);
    EXPECT_EQ(log.document.text(1, 1), "J\xC3\xB6rg");
    EXPECT_TRUE(LogDocument::hasLengthDiscrepancy(*log.document.cellInfo(1, 1)));
    EXPECT_FALSE(LogDocument::hasLengthDiscrepancy(*log.document.cellInfo(2, 1)));
}

struct Utf8SearchCase {
    const char *label;
    std::string text;
    bool matchCase;
    bool found;
};

class Utf8Search : public ::testing::TestWithParam<Utf8SearchCase> { };

TEST_P(Utf8Search, FoldsAsciiOnly)
{
    LoadedLog log;
    loadCurrent(log, kUtf8Log);
    SearchPosition position;
    const Utf8SearchCase &c = GetParam();
    EXPECT_EQ(searchGrid(log.document, c.text, false, c.matchCase, position).found, c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Document, Utf8Search,
    ::testing::Values(Utf8SearchCase{"Exact", "J\xC3\xB6rg", true, true},
                      Utf8SearchCase{"AsciiFolded", "j\xC3\xB6RG", false, true},
                      Utf8SearchCase{"ThreeByteCharacter", "\xE3\x81\x84", false, true},
                      // U+00C1 is C3 81; upper-casing the lead byte E3 would make it match.
                      Utf8SearchCase{"NoMatchInsideOtherCharacter", "\xC3\x81", false, false}),
    [](const auto &info) { return std::string(info.param.label); });

}  // namespace
}  // namespace vaziduvu::test
