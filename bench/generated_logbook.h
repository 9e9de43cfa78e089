#pragma once

#include <cstdint>
#include <string>

// A logbook of the shape real operators export: 60 distinct fields, about 25
// filled per record (twenty always, six more by turns), free text in
// a few fields, and now and then a note after a value (data beyond its
// declared length). 100,000 records come to about 58 MB. The same number of
// records gives the same bytes on every run.
inline std::string generatedLogbook(int records)
{
    struct Field {
        const char *name;
        int kind;  // 0 call, 1 date, 2 time, 3 band, 4 mode, 5 freq, 6 report, 7 text,
                   // 8 grid, 9 number
    };
    static const Field kAlways[] = {
        {"CALL", 0},        {"QSO_DATE", 1},         {"TIME_ON", 2},    {"TIME_OFF", 2},
        {"BAND", 3},        {"MODE", 4},             {"FREQ", 5},       {"RST_SENT", 6},
        {"RST_RCVD", 6},    {"STATION_CALLSIGN", 0}, {"OPERATOR", 0},   {"MY_GRIDSQUARE", 8},
        {"GRIDSQUARE", 8},  {"DXCC", 9},             {"CQZ", 9},        {"ITUZ", 9},
        {"TX_PWR", 9},      {"NAME", 7},             {"QTH", 7},        {"COUNTRY", 7},
    };
    static const Field kSometimes[] = {
        {"QSO_DATE_OFF", 1},
        {"BAND_RX", 3},
        {"FREQ_RX", 5},
        {"SUBMODE", 7},
        {"COMMENT", 7},
        {"NOTES", 7},
        {"CONT", 7},
        {"STATE", 7},
        {"CNTY", 7},
        {"IOTA", 7},
        {"SOTA_REF", 7},
        {"POTA_REF", 7},
        {"SIG", 7},
        {"SIG_INFO", 7},
        {"MY_SIG", 7},
        {"MY_SIG_INFO", 7},
        {"QSL_SENT", 7},
        {"QSL_RCVD", 7},
        {"QSLSDATE", 1},
        {"QSLRDATE", 1},
        {"LOTW_QSL_SENT", 7},
        {"LOTW_QSL_RCVD", 7},
        {"LOTW_QSLSDATE", 1},
        {"LOTW_QSLRDATE", 1},
        {"EQSL_QSL_SENT", 7},
        {"EQSL_QSL_RCVD", 7},
        {"CLUBLOG_QSO_UPLOAD_STATUS", 7},
        {"QRZCOM_QSO_UPLOAD_STATUS", 7},
        {"MY_CITY", 7},
        {"MY_STATE", 7},
        {"MY_CNTY", 7},
        {"MY_COUNTRY", 7},
        {"MY_DXCC", 9},
        {"MY_CQ_ZONE", 9},
        {"MY_ITU_ZONE", 9},
        {"PROP_MODE", 7},
        {"ANT_AZ", 9},
        {"ANT_EL", 9},
        {"RX_PWR", 9},
        {"APP_LOGGER_QSO_ID", 9},
    };
    constexpr int kAlwaysCount = sizeof(kAlways) / sizeof(kAlways[0]);
    constexpr int kSometimesCount = sizeof(kSometimes) / sizeof(kSometimes[0]);
    static const char *const kBands[] = {"160M", "80M", "40M", "30M", "20M", "17M", "15M", "10M"};
    static const char *const kFreqs[] = {"1.840",  "3.573",  "7.074",  "10.136",
                                         "14.074", "18.100", "21.074", "28.074"};
    static const char *const kModes[] = {"FT8", "CW", "SSB", "FT4", "RTTY", "FM"};
    static const char *const kWords[] = {"Portable", "Nice signal", "Thanks for the QSO",
                                         "Home station", "Field day", "Mobile",
                                         "Worked on a dipole", "73"};

    uint32_t seed = 12345u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    auto valueOf = [&](int kind, int record) -> std::string {
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
            return (h < 10 ? "0" : "") + std::to_string(h) + (m < 10 ? "0" : "")
                + std::to_string(m) + (s < 10 ? "0" : "") + std::to_string(s);
        }
        case 3:
            return kBands[n % 8];
        case 4:
            return kModes[n % 6];
        case 5:
            return kFreqs[n % 8];
        case 6:
            return std::to_string(500 + n % 100);
        case 7:
            return std::string(kWords[n % 8]) + ", " + kWords[(n / 8) % 8];
        case 8:
            return std::string(1, static_cast<char>('A' + n % 18))
                + static_cast<char>('A' + (n / 18) % 18) + std::to_string(n % 100 / 10)
                + std::to_string(n % 10) + static_cast<char>('a' + (n / 5) % 24)
                + static_cast<char>('a' + (n / 11) % 24);
        default:
            return std::to_string(n % 400);
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
        for (int f = 0; f < kAlwaysCount; ++f) {
            append(kAlways[f].name, valueOf(kAlways[f].kind, record));
            text += f % 6 == 5 ? "\r\n" : " ";
        }
        // Six more fields by turns, so every one of the sixty shows up.
        const int first = static_cast<int>(next() % kSometimesCount);
        for (int k = 0; k < 6; ++k) {
            const Field &field = kSometimes[(first + k * 7) % kSometimesCount];
            append(field.name, valueOf(field.kind, record));
            text += ' ';
        }
        if (record % 50 == 7)
            text += "note after the last value ";
        text += "<EOR>\r\n";
    }
    return text;
}
