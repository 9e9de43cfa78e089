// JSON strings from log bytes: always valid UTF-8, whatever the bytes.
#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vaziduvu {
namespace {

struct StringCase {
    const char *name;
    TextEncoding encoding;
    std::string bytes;
    std::string json;
};

void PrintTo(const StringCase &c, std::ostream *os)
{
    *os << c.name;
}

class JsonString : public ::testing::TestWithParam<StringCase> { };

TEST_P(JsonString, IsValidUtf8)
{
    std::ostringstream out;
    {
        JsonWriter writer(out, false, GetParam().encoding);
        writer.value(GetParam().bytes);
        writer.finish();
    }
    EXPECT_EQ(out.str(), "\"" + GetParam().json + "\"\n");
}

constexpr TextEncoding kLatin1 = TextEncoding::Latin1;
constexpr TextEncoding kUtf8 = TextEncoding::Utf8;

INSTANTIATE_TEST_SUITE_P(
    Table, JsonString,
    ::testing::Values(
        StringCase{"Latin1IsConverted", kLatin1, "Zo\xC3\xAB", "Zo\xC3\x83\xC2\xAB"},
        StringCase{"Utf8PassesAsItIs", kUtf8, "Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x93\xBB",
                   "Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x93\xBB"},
        StringCase{"LoneLeadByteIsLatin1", kUtf8, "a\xC3", "a\xC3\x83"},
        StringCase{"CutCharacterIsLatin1", kUtf8, "\xE2\x82!", "\xC3\xA2\xC2\x82!"},
        StringCase{"OverlongFormIsLatin1", kUtf8, "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        StringCase{"SurrogateIsLatin1", kUtf8, "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        StringCase{"BeyondUnicodeIsLatin1", kUtf8, "\xF4\x90\x80\x80",
                   "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        StringCase{"EscapesStayEscapes", kUtf8, "\"\\\n\x01", "\\\"\\\\\\n\\u0001"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vaziduvu
