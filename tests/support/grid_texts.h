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
            row.emplace_back(document.text(c, r));
        rows.push_back(row);
    }
    return rows;
}

// Everything undo must restore, as one comparable text: the shape, every
// cell's text and record (one beyond the grid each way included) and every
// trailer.
inline std::string documentState(const LogDocument &document)
{
    const GridShape shape = document.shape();
    std::string state = std::to_string(shape.columns) + "x" + std::to_string(shape.rows) + " "
        + std::to_string(shape.fields) + "/" + std::to_string(shape.records) + "\n";
    for (int r = 0; r <= document.rowCount(); ++r) {
        for (int c = 0; c <= document.columnCount(); ++c) {
            state += "[" + std::string(document.text(c, r));
            if (const CellRecord t = document.cellInfo(c, r)) {
                state += "|" + std::to_string(t->kind) + "," + std::to_string(t->hasLength) + ","
                    + std::to_string(t->declaredLength) + "," + std::to_string(t->dataType) + ","
                    + std::to_string(t->isTimeOn) + "," + t->name + "," + t->value + "," + t->rawTag
                    + "," + t->comment + "," + std::to_string(t->valueOffset);
            }
            state += "]";
        }
        if (r >= 1)
            state += "trailer:" + document.recordTrailer(r - 1);
        state += "\n";
    }
    return state;
}

}  // namespace vaziduvu::test
