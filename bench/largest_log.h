#pragma once

#include <string>

// The largest log a load accepts: 4,000 records of 48 user fields, the
// shape the window and command-line benchmarks share.
inline std::string largestLog()
{
    std::string text = "Benchmark log\r\n<EOH>\r\n";
    for (int record = 0; record < 4000; ++record) {
        for (int field = 0; field < 48; ++field) {
            const std::string value = "V" + std::to_string(record) + "/" + std::to_string(field);
            text += "<FIELD_" + std::to_string(field) + ':' + std::to_string(value.size()) + '>'
                + value + ' ';
        }
        text += "<EOR>\r\n";
    }
    return text;
}
