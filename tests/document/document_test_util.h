#pragma once

#include "adif/adif_file.h"
#include "document/log_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaziduvu::test {

// A parsed log kept alive next to the document filled from it.
struct LoadedLog {
    AdifFile file;
    LogDocument document;
    LogDocument::FillResult result = LogDocument::FillResult::FormatError;
};

inline void loadInto(LoadedLog &log, const std::string &adif)
{
    log.file.loadFromBytes(adif);
    log.result = log.document.fillFrom(log.file);
}

// Every grid text, row by row.
inline std::vector<std::vector<std::string>> gridTexts(const LogDocument &document)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < document.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < document.columnCount(); ++c)
            row.push_back(document.text(c, r));
        rows.push_back(row);
    }
    return rows;
}

using Grid = std::vector<std::vector<std::string>>;

}  // namespace vaziduvu::test
