#pragma once

#include <cstdint>
#include <string>
#include <utility>

// A logbook of the shape real operators export: 60 distinct fields, about 25
// filled per record (twenty always, six more by turns), free text in
// a few fields, and now and then a note after a value (data beyond its
// declared length). 100,000 records come to about 53 MB. The same number of
// records gives the same bytes on every run. Every value passes the checks
// of Current ADIF (FREQ inside BAND, STATE of the record's DXCC, zones in
// range, list fields from their lists), so the log can be saved as a whole.
inline std::string generatedLogbook(int records)
{
    struct Field {
        const char *name;
        int kind;  // 0 call, 1 date, 2 time, 3 band, 4 mode, 5 freq, 6 report, 7 text,
                   // 8 grid, 9 number, 10 zone, 11 DXCC, 12 one of the field's list
    };
    static const Field kAlways[] = {
        {"CALL", 0},       {"QSO_DATE", 1},
        {"TIME_ON", 2},    {"TIME_OFF", 2},
        {"BAND", 3},       {"MODE", 4},
        {"FREQ", 5},       {"RST_SENT", 6},
        {"RST_RCVD", 6},   {"STATION_CALLSIGN", 0},
        {"OPERATOR", 0},   {"MY_GRIDSQUARE", 8},
        {"GRIDSQUARE", 8}, {"DXCC", 11},
        {"CQZ", 10},       {"ITUZ", 10},
        {"TX_PWR", 9},     {"NAME", 7},
        {"QTH", 7},        {"COUNTRY", 7},
    };
    static const Field kSometimes[] = {
        {"QSO_DATE_OFF", 1},
        {"BAND_RX", 3},
        {"FREQ_RX", 5},
        {"MY_RIG", 7},
        {"COMMENT", 7},
        {"NOTES", 7},
        {"CONT", 12},
        {"STATE", 12},
        {"CNTY", 7},
        {"IOTA", 12},
        {"SOTA_REF", 12},
        {"POTA_REF", 12},
        {"SIG", 7},
        {"SIG_INFO", 7},
        {"MY_SIG", 7},
        {"MY_SIG_INFO", 7},
        {"QSL_SENT", 12},
        {"QSL_RCVD", 12},
        {"QSLSDATE", 1},
        {"QSLRDATE", 1},
        {"LOTW_QSL_SENT", 12},
        {"LOTW_QSL_RCVD", 12},
        {"LOTW_QSLSDATE", 1},
        {"LOTW_QSLRDATE", 1},
        {"EQSL_QSL_SENT", 12},
        {"EQSL_QSL_RCVD", 12},
        {"CLUBLOG_QSO_UPLOAD_STATUS", 12},
        {"QRZCOM_QSO_UPLOAD_STATUS", 12},
        {"MY_CITY", 7},
        {"MY_STATE", 12},
        {"MY_CNTY", 7},
        {"MY_COUNTRY", 7},
        {"MY_DXCC", 11},
        {"MY_CQ_ZONE", 10},
        {"MY_ITU_ZONE", 10},
        {"PROP_MODE", 12},
        {"ANT_AZ", 9},
        {"ANT_EL", 9},
        {"RX_PWR", 9},
        {"APP_LOGGER_QSO_ID", 9},
    };
    constexpr int kAlwaysCount = sizeof(kAlways) / sizeof(kAlways[0]);
    constexpr int kSometimesCount = sizeof(kSometimes) / sizeof(kSometimes[0]);
    static const char *const kBands[] = {"160M", "80M", "40M", "30M", "20M", "17M", "15M", "10M"};
    static const char *const kFreqs[]
        = {"1.840", "3.573", "7.074", "10.136", "14.074", "18.100", "21.074", "28.074"};
    static const char *const kModes[] = {"FT8", "CW", "SSB", "MFSK", "RTTY", "FM"};
    // The lists of the list fields; every DXCC is 291, so STATE is a US state.
    auto listOf = [](const std::string &name) -> std::pair<const char *const *, int> {
        static const char *const kContinents[] = {"NA", "SA", "EU", "AF", "OC", "AS"};
        static const char *const kStates[] = {"CT", "NY", "CA", "TX", "WA", "OH", "MA"};
        static const char *const kFlags[] = {"Y", "N", "R"};
        static const char *const kUpload[] = {"Y", "N"};
        static const char *const kPropagation[] = {"F2", "ES", "TR", "EME"};
        static const char *const kIota[] = {"NA-001", "EU-005", "OC-001"};
        static const char *const kSota[] = {"W1/HA-001", "G/LD-001"};
        static const char *const kPota[] = {"US-0001", "K-1234"};
        if (name == "CONT")
            return {kContinents, 6};
        if (name == "STATE" || name == "MY_STATE")
            return {kStates, 7};
        if (name == "PROP_MODE")
            return {kPropagation, 4};
        if (name == "IOTA")
            return {kIota, 3};
        if (name == "SOTA_REF")
            return {kSota, 2};
        if (name == "POTA_REF")
            return {kPota, 2};
        if (name.find("UPLOAD") != std::string::npos)
            return {kUpload, 2};
        return {kFlags, 3};
    };
    int bandOfRecord = 0;  // BAND, BAND_RX, FREQ and FREQ_RX agree
    static const char *const kWords[]
        = {"Portable",  "Nice signal", "Thanks for the QSO", "Home station",
           "Field day", "Mobile",      "Worked on a dipole", "73"};

    uint32_t seed = 12345u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    auto valueOf = [&](int kind, int record, const char *name) -> std::string {
        const uint32_t n = next();
        switch (kind) {
        case 0:
            return std::string(1, static_cast<char>('A' + n % 26)) + std::to_string(n % 10)
                + static_cast<char>('A' + (n / 26) % 26) + static_cast<char>('A' + (n / 7) % 26)
                + static_cast<char>('A' + (n / 3) % 26);
        case 1: {
            const int day = record / 100;
            return std::to_string(2015 + day / 336) + (day % 336 / 28 + 1 < 10 ? "0" : "")
                + std::to_string(day % 336 / 28 + 1) + (day % 28 + 1 < 10 ? "0" : "")
                + std::to_string(day % 28 + 1);
        }
        case 2: {
            const uint32_t h = n % 24, m = (n / 24) % 60, s = (n / 1440) % 60;
            return (h < 10 ? "0" : "") + std::to_string(h) + (m < 10 ? "0" : "") + std::to_string(m)
                + (s < 10 ? "0" : "") + std::to_string(s);
        }
        case 3:
            return kBands[bandOfRecord];
        case 4:
            return kModes[n % 6];
        case 5:
            return kFreqs[bandOfRecord];
        case 6:
            return std::to_string(500 + n % 100);
        case 7:
            return std::string(kWords[n % 8]) + ", " + kWords[(n / 8) % 8];
        case 8:
            return std::string(1, static_cast<char>('A' + n % 18))
                + static_cast<char>('A' + (n / 18) % 18) + std::to_string(n % 100 / 10)
                + std::to_string(n % 10) + static_cast<char>('a' + (n / 5) % 24)
                + static_cast<char>('a' + (n / 11) % 24);
        case 10:
            return std::to_string(1 + n % 40);
        case 11:
            return "291";
        case 12: {
            const auto [list, count] = listOf(name);
            return list[n % static_cast<uint32_t>(count)];
        }
        default:
            return std::to_string(n % 90);
        }
    };

    std::string text = "Generated logbook\r\n<ADIF_VER:5>3.1.6\r\n<PROGRAMID:8>VAZIDUVU\r\n"
                       "<CREATED_TIMESTAMP:15>20240101 120000\r\n<EOH>\r\n";
    text.reserve(static_cast<size_t>(records) * 620u + 128u);
    auto append = [&text](const char *name, const std::string &value) {
        text += '<';
        text += name;
        text += ':';
        text += std::to_string(value.size());
        text += '>';
        text += value;
    };
    for (int record = 0; record < records; ++record) {
        bandOfRecord = static_cast<int>(next() % 8);
        for (int f = 0; f < kAlwaysCount; ++f) {
            append(kAlways[f].name, valueOf(kAlways[f].kind, record, kAlways[f].name));
            text += f % 6 == 5 ? "\r\n" : " ";
        }
        // Six more fields by turns, so every one of the sixty shows up.
        const int first = static_cast<int>(next() % kSometimesCount);
        for (int k = 0; k < 6; ++k) {
            const Field &field = kSometimes[(first + k * 7) % kSometimesCount];
            append(field.name, valueOf(field.kind, record, field.name));
            text += ' ';
        }
        if (record % 50 == 7)
            text += "note after the last value ";
        text += "<EOR>\r\n";
    }
    return text;
}

// The logbook with its first `count` SSB contacts logged as MODE USB or LSB
// by turns, as some online logbooks export them: each has a quick fix.
inline std::string withSidebandModes(std::string text, int count)
{
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        at = text.find("<MODE:3>SSB", at);
        if (at == std::string::npos)
            break;
        text.replace(at + 8, 3, i % 2 == 0 ? "USB" : "LSB");
    }
    return text;
}
