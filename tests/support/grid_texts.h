#pragma once

#include "document/log_document.h"

#include <string>
#include <vector>

namespace vaziduvu::test {

using Grid = std::vector<std::vector<std::string>>;

// Every grid text, row by row, the fixed row and column included.
inline Grid gridTexts(const LogDocument &document)
{
    Grid rows;
    for (int r = 0; r < document.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < document.columnCount(); ++c)
            row.push_back(document.text(c, r));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace vaziduvu::test
