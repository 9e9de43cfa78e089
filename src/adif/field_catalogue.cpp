#include "adif/field_catalogue.h"

#include "adif/text.h"

#include <array>

namespace vaziduvu {

namespace {

constexpr std::array<CatalogueEntry, kCatalogueSize> kCatalogue = {{
    {"ADDRESS", 'M'},
    {"AGE", 'N'},
    {"ARRL_SECT", 'C'},
    {"BAND", 'C'},
    {"CALL", 'C'},
    {"CNTY", 'C'},
    {"COMMENT", 'C'},
    {"CONT", 'C'},
    {"CONTEST_ID", 'C'},
    {"CQZ", 'N'},
    {"DXCC", 'N'},
    {"FREQ", 'N'},
    {"GRIDSQUARE", 'C'},
    {"IOTA", 'C'},
    {"ITUZ", 'N'},
    {"MODE", 'C'},
    {"NAME", 'C'},
    {"NOTES", 'M'},
    {"OPERATOR", 'C'},
    {"PFX", 'C'},
    {"PROP_MODE", 'C'},
    {"QSLMSG", 'M'},
    {"QSLRDATE", 'D'},
    {"QSLSDATE", 'D'},
    {"QSL_RCVD", 'C'},
    {"QSL_SENT", 'C'},
    {"QSL_VIA", 'C'},
    {"QSO_DATE", 'D'},
    {"QTH", 'C'},
    {"RST_RCVD", 'C'},
    {"RST_SENT", 'C'},
    {"RX_PWR", 'N'},
    {"SAT_MODE", 'C'},
    {"SAT_NAME", 'C'},
    {"SRX", 'N'},
    {"STATE", 'C'},
    {"STX", 'N'},
    {"TEN_TEN", 'N'},
    {"TIME_OFF", 'C'},
    {"TIME_ON", 'C'},
    {"TX_PWR", 'N'},
    {"VE_PROV", 'C'},
    {"PROGRAMID", 'C'},
    {"APP_LoTW_LASTQSL", 'D'},
    {"APP_LoTW_LASTQSORX", 'D'},
    {"APP_LoTW_OWNCALL", 'C'},
    {"APP_LoTW_EOF", 'C'},
    {"FREQ_RX", 'N'},
    {"BAND_RX", 'C'},
}};

// Upper-case forms, made once: lookups compare against these.
const std::array<std::string, kCatalogueSize> &upperNames()
{
    static const std::array<std::string, kCatalogueSize> names = [] {
        std::array<std::string, kCatalogueSize> result;
        for (int i = 0; i < kCatalogueSize; ++i)
            result[i] = upperText(kCatalogue[i].name);
        return result;
    }();
    return names;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

const char *const kTimeFieldNames[2] = {"TIME_ON", "TIME_OFF"};

const CatalogueEntry &catalogueEntry(int number)
{
    return kCatalogue.at(number - 1);
}

std::optional<int> findCatalogueEntry(std::string_view name)
{
    const auto &names = upperNames();
    for (int i = 0; i < kCatalogueSize; ++i) {
        if (startsWith(names[i], name))
            return i + 1;
    }
    return std::nullopt;
}

uint8_t catalogueTypeOf(std::string_view name)
{
    const auto &names = upperNames();
    for (int i = 0; i < kCatalogueSize; ++i) {
        if (startsWith(name, names[i]))
            return typeCodeOfLetter(kCatalogue[i].letter);
    }
    return TypeInvalid;
}

char catalogueLetterAt(int number)
{
    return kCatalogue.at(number - 1).letter;
}

bool isTimeFieldName(std::string_view name)
{
    for (const char *timeName : kTimeFieldNames) {
        if (startsWith(name, timeName))
            return true;
    }
    return false;
}

uint8_t typeCodeOfLetter(char letter)
{
    switch (letter) {
    case 'C':
        return TypeCharacter;
    case 'D':
        return TypeDate;
    case 'M':
        return TypeMultiLine;
    case 'N':
        return TypeNumber;
    case 'T':
        return TypeTime;
    default:
        return TypeInvalid;
    }
}

char typeLetterOf(uint8_t code)
{
    switch (code) {
    case TypeDate:
        return 'D';
    case TypeTime:
        return 'T';
    case TypeMultiLine:
        return 'M';
    case TypeCharacter:
        return 'C';
    case TypeNumber:
        return 'N';
    default:
        return 'Z';
    }
}

const std::vector<std::string> &valueTableEntries(ValueTable table)
{
    static const std::vector<std::string> bands
        = {"2190M", "160M",   "80M", "60M",   "40M",  "30M",   "20M",  "17M",  "12M", "10M",
           "6M",    "4M",     "2M",  "1.25M", "70CM", "33CM",  "23CM", "13CM", "9CM", "6CM",
           "3CM",   "1.25CM", "6MM", "15M",   "4MM",  "2.5MM", "2MM",  "1MM"};
    static const std::vector<std::string> modes
        = {"CW",     "PHONE", "IMAGE",    "DATA",   "AM",     "FM",     "SSB",   "ATV",
           "FAX",    "SSTV",  "AMTOR",    "CLOVER", "FSK31",  "RTTY",   "HELL",  "HFSK",
           "MGSK16", "MFSK8", "MINIRTTY", "MT63",   "PACKET", "PACTOR", "PSK31", "PSK125"};
    static const std::vector<std::string> propagation
        = {"AUR", "AVE ", "BS", "EME", "ECH", "F2", "AUE", "FAI",
           "IRL", "ION",  "MS", "RS",  "SAT", "ES", "TEP", "TR"};
    static const std::vector<std::string> continents = {"NA", "SA", "EU", "AF", "OC", "AS"};
    static const std::vector<std::string> provinces
        = {"AB", "BC", "MB", "NB", "NF", "NS", "NT", "ON", "PE", "QC", "SK", "YT"};
    static const std::vector<std::string> states
        = {"AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
           "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
           "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
           "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};
    static const std::vector<std::string> sections
        = {"CT",  "EMA", "ME",  "NH",  "RI",  "VT", "WMA", "ENY", "NLI", "NNJ",  "SNJ", "WNY",
           "DE",  "EPA", "MDC", "WPA", "AL",  "GA", "KY",  "NFL", "SC",  "SFL",  "NC",  "WCF",
           "TN",  "VA",  "PR",  "VI",  "AR",  "LA", "MS",  "NM",  "NTX", "OK",   "STX", "WTX",
           "MAR", "NL",  "QC",  "ON",  "MB",  "SK", "AB",  "BC",  "NT",  "EBAY", "LAX", "ORG",
           "SB",  "SCV", "SDG", "SF",  "SJV", "SV", "PAC", "AZ",  "EWA", "ID",   "MT",  "NV",
           "OR",  "UT",  "WWA", "WY",  "AK",  "MI", "OH",  "WV",  "IL",  "IN",   "WI",  "CO",
           "IA",  "KS",  "MN",  "MO",  "NE",  "ND", "SD"};
    static const std::vector<std::string> qslFlags = {"Y", "N", "R", "I"};
    static const std::vector<std::string> satellites
        = {"AO-3",  "AO-4",  "AO-6",  "AO-7",  "AO-8",  "AO-10", "AO-13", "AO-16", "AO-27", "AO-40",
           "FO-12", "FO-20", "FO-29", "LO-19", "NO-44", "RS-1",  "RS-2",  "RS-5",  "RS-6",  "RS-7",
           "RS-8",  "RS-10", "RS-11", "RS-12", "RS-13", "RS-15", "SO-41", "SO-50", "UO-14"};

    switch (table) {
    case ValueTable::Bands:
        return bands;
    case ValueTable::Modes:
        return modes;
    case ValueTable::PropagationModes:
        return propagation;
    case ValueTable::Continents:
        return continents;
    case ValueTable::CanadianProvinces:
        return provinces;
    case ValueTable::UsStates:
        return states;
    case ValueTable::ArrlSections:
        return sections;
    case ValueTable::QslFlags:
        return qslFlags;
    case ValueTable::Satellites:
        return satellites;
    }
    return bands;
}

bool isEnumeratedValue(ValueTable table, std::string_view text)
{
    for (const std::string &entry : valueTableEntries(table)) {
        if (entry == text)
            return true;
    }
    return false;
}

std::vector<std::string> catalogueNames()
{
    std::vector<std::string> names;
    names.reserve(kCatalogueSize);
    for (const CatalogueEntry &entry : kCatalogue)
        names.emplace_back(entry.name);
    return names;
}

}  // namespace vaziduvu
