#pragma once

#include <cstdint>
#include <fstream>
#include <string>

// A logbook of a million contacts, as a station that has been on the air
// for decades exports it: the same 25 fields in every record (no field
// missing), short values as loggers write them, a name, a town and now
// and then a comment. 1,000,000 records come to about 350 MB. The same
// number of records gives the same bytes on every run, and every value
// passes the checks of Current ADIF, so the log can be saved as a whole.
//
// Made a block of records at a time, so a million never has to be held in
// memory to be written to a file.
class GeneratedMillion {
public:
    static constexpr int kFields = 25;

    GeneratedMillion() = default;
    // Every SSB contact logged as MODE USB or LSB by turns, as some loggers
    // export them: each one has a quick fix.
    explicit GeneratedMillion(bool sidebandModes)
        : sidebandModes_(sidebandModes)
    {
    }

    static std::string header()
    {
        return "Generated logbook of a busy station\r\n<ADIF_VER:5>3.1.6\r\n"
               "<PROGRAMID:8>VAZIDUVU\r\n<CREATED_TIMESTAMP:15>20240101 120000\r\n<EOH>\r\n";
    }

    // Appends the next record (the first, then the second, ...).
    void appendRecord(std::string &text)
    {
        static const char *const kBands[]
            = {"160M", "80M", "40M", "30M", "20M", "17M", "15M", "10M"};
        static const char *const kFreqs[]
            = {"1.840", "3.573", "7.074", "10.136", "14.074", "18.100", "21.074", "28.074"};
        static const char *const kModes[] = {"FT8", "CW", "SSB", "MFSK", "RTTY", "FM"};
        static const char *const kNames[] = {"John", "Maria", "Hans", "Yuki", "Pedro", "Anna",
                                             "Bob",  "Ivan",  "Li",   "Olga", "Tom",   "Eva"};
        static const char *const kTowns[]
            = {"Hartford", "Boston", "Austin", "Seattle", "Albany", "Dayton",
               "Fresno",   "Salem",  "Newark", "Reno",    "Ogden",  "Tulsa"};
        static const char *const kStates[] = {"CT", "MA", "TX", "WA", "NY", "OH", "CA", "OR"};
        static const char *const kContinents[] = {"NA", "SA", "EU", "AF", "OC", "AS"};
        static const char *const kFlags[] = {"Y", "N", "R"};
        static const char *const kComments[]
            = {"tnx QSO", "good sig", "QSB", "portable", "mobile", "pileup", "new band", "73"};

        const int band = static_cast<int>(next() % 8);
        const int day = record_ / 1000;  // a thousand contacts a day, over about three years
        const std::string station = call();
        field(text, "CALL", station);
        field(text, "QSO_DATE", date(day));
        field(text, "TIME_ON", time(record_ % 1000));
        field(text, "TIME_OFF", time(record_ % 1000 + 1));
        field(text, "BAND", kBands[band]);
        field(text, "FREQ", kFreqs[band]);
        const char *mode = kModes[next() % 6];
        if (sidebandModes_ && mode == kModes[2])
            mode = record_ % 2 == 0 ? "USB" : "LSB";
        field(text, "MODE", mode);
        field(text, "RST_SENT", std::to_string(500 + next() % 100));
        field(text, "RST_RCVD", std::to_string(500 + next() % 100));
        field(text, "OPERATOR", "W1AW");
        field(text, "GRIDSQUARE", grid());
        field(text, "PFX", station.substr(0, 2));
        field(text, "DXCC", "291");
        field(text, "CQZ", std::to_string(1 + next() % 40));
        field(text, "ITUZ", std::to_string(1 + next() % 90));
        field(text, "CONT", kContinents[next() % 6]);
        field(text, "STATE", kStates[next() % 8]);
        field(text, "TX_PWR", std::to_string(5 + next() % 96));
        field(text, "NAME", kNames[next() % 12]);
        field(text, "QTH", kTowns[next() % 12]);
        field(text, "QSL_SENT", kFlags[next() % 3]);
        field(text, "QSL_RCVD", kFlags[next() % 3]);
        field(text, "SRX", std::to_string(next() % 2000));
        field(text, "STX", std::to_string(record_ % 2000));
        field(text, "COMMENT", record_ % 4 == 0 ? kComments[next() % 8] : "");
        text += "<EOR>\r\n";
        ++record_;
    }

private:
    uint32_t next()
    {
        seed_ = seed_ * 1664525u + 1013904223u;
        return seed_ >> 8;
    }

    static void field(std::string &text, const char *name, const std::string &value)
    {
        text += '<';
        text += name;
        text += ':';
        text += std::to_string(value.size());
        text += '>';
        text += value;
        text += ' ';
    }

    std::string call()
    {
        const uint32_t n = next();
        std::string call(1, static_cast<char>('A' + n % 26));
        call += static_cast<char>('0' + (n / 26) % 10);
        call += static_cast<char>('A' + (n / 260) % 26);
        call += static_cast<char>('A' + (n / 6760) % 26);
        if (n % 3 != 0)
            call += static_cast<char>('A' + (n / 17) % 26);
        return call;
    }

    std::string grid()
    {
        const uint32_t n = next();
        std::string grid;
        grid += static_cast<char>('A' + n % 18);
        grid += static_cast<char>('A' + (n / 18) % 18);
        grid += static_cast<char>('0' + (n / 324) % 10);
        grid += static_cast<char>('0' + (n / 3240) % 10);
        return grid;
    }

    static std::string twoDigits(int value)
    {
        return std::string(1, static_cast<char>('0' + value / 10 % 10))
            + static_cast<char>('0' + value % 10);
    }

    static std::string date(int day)
    {
        return std::to_string(2021 + day / 336) + twoDigits(day % 336 / 28 + 1)
            + twoDigits(day % 28 + 1);
    }

    // The n-th contact of a day, spread over its 24 hours.
    static std::string time(int n)
    {
        const int seconds = n * 86 % 86400;
        return twoDigits(seconds / 3600) + twoDigits(seconds / 60 % 60) + twoDigits(seconds % 60);
    }

    uint32_t seed_ = 4242u;
    int record_ = 0;
    bool sidebandModes_ = false;
};

// The whole log as one text (small counts: tests of the benchmarks, quick runs).
inline std::string generatedMillion(int records)
{
    GeneratedMillion generator;
    std::string text = GeneratedMillion::header();
    for (int i = 0; i < records; ++i)
        generator.appendRecord(text);
    return text;
}

// Writes the log to the file a block at a time; returns its size in bytes.
inline int64_t writeGeneratedMillion(const std::string &path, int records,
                                     bool sidebandModes = false)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    GeneratedMillion generator(sidebandModes);
    std::string block = GeneratedMillion::header();
    int64_t size = 0;
    for (int i = 0; i < records; ++i) {
        generator.appendRecord(block);
        if (block.size() > (1u << 20) || i + 1 == records) {
            file.write(block.data(), static_cast<std::streamsize>(block.size()));
            size += static_cast<int64_t>(block.size());
            block.clear();
        }
    }
    return file ? size : -1;
}
