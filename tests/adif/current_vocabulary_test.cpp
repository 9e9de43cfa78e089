// The ADIF 3.1.6 vocabulary tables: a few values each way per table, where
// a wrong row would show.
#include "adif/current_vocabulary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vaziduvu {
namespace {

struct VocabularyCase {
    const char *name;
    std::function<bool()> holds;
};

class CurrentVocabulary : public ::testing::TestWithParam<VocabularyCase> { };

TEST_P(CurrentVocabulary, Holds)
{
    EXPECT_TRUE(GetParam().holds());
}

INSTANTIATE_TEST_SUITE_P(
    Adif316, CurrentVocabulary,
    ::testing::Values(
        VocabularyCase{"Ft8IsAMode", [] { return isCurrentMode("FT8") && isCurrentMode("ft8"); }},
        VocabularyCase{"Ft4IsAnMfskSubmode",
                       [] { return !isCurrentMode("FT4") && modeOfSubmode("FT4") == "MFSK"; }},
        VocabularyCase{"Psk31IsAPskSubmode", [] { return isSubmodeOf("PSK31", "PSK"); }},
        VocabularyCase{"Js8IsAnMfskSubmode", [] { return isSubmodeOf("JS8", "MFSK"); }},
        VocabularyCase{"NoSuchMode", [] { return !findMode("FT9") && !modeOfSubmode("XYZ"); }},
        VocabularyCase{"Bands630mAnd60m", [] { return findBand("630m") && findBand("60M"); }},
        VocabularyCase{"FrequencyInItsBand",
                       [] {
                           const CurrentBand *band = bandOfFrequency(14.074);
                           return band && std::string(band->name) == "20m";
                       }},
        VocabularyCase{"FrequencyBetweenBands", [] { return bandOfFrequency(15.0) == nullptr; }},
        VocabularyCase{
            "CanadianProvinces",
            [] { return isPrimarySubdivision("ON", 1) && isPrimarySubdivision("BC", 1); }},
        VocabularyCase{"AustralianStates", [] { return isPrimarySubdivision("ACT", 150); }},
        VocabularyCase{"StateOfTheWrongEntity", [] { return !isPrimarySubdivision("ON", 291); }},
        VocabularyCase{"UsStateWithoutEntity",
                       [] { return isPrimarySubdivision("WY", std::nullopt); }},
        VocabularyCase{
            "DxccCodes",
            [] { return isDxccEntityCode(291) && isDxccEntityCode(1) && !isDxccEntityCode(9999); }},
        VocabularyCase{"DxccNames",
                       [] {
                           return std::string(dxccEntityName(1)) == "CANADA"
                               && std::string(dxccEntityName(250)) == "ST. HELENA"
                               && std::string(dxccEntityName(522)) == "REPUBLIC OF KOSOVO"
                               && std::string(dxccEntityName(2)) == "ABU AIL IS."
                               && !dxccEntityName(73) && !dxccEntityName(523);
                       }},
        VocabularyCase{"GridSquares",
                       [] {
                           return isGridSquare("FN31") && isGridSquare("fn31pr")
                               && isGridSquare("FN31pr42") && !isGridSquare("FN3")
                               && !isGridSquare("ZZ99");
                       }},
        VocabularyCase{"DatesAndTimes",
                       [] {
                           return isAdifDate("20240229") && !isAdifDate("20230229")
                               && isAdifTime("2359") && isAdifTime("235959") && !isAdifTime("2460");
                       }},
        VocabularyCase{"Fields",
                       [] {
                           const CurrentField *submode = findCurrentField("submode");
                           return submode && findCurrentField("NAME_INTL")
                               && findCurrentField("POTA_REF")
                               && !findCurrentField("NO_SUCH_FIELD");
                       }}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vaziduvu
