#pragma once

#include "export/writers.h"

#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

class LogDocument;
class CurrentChecks;
struct TagRecord;
enum class EnumeratedCheck;

// Which checks of a cell a walk over the grid runs. An export makes two
// passes: Sizing (what the file can carry, then dates, times and numbers),
// then Writing (the date again, then the enumerated checks), so a date, time
// or number error anywhere is reported before any enumerated check runs. A
// log check runs every check once per cell (Whole); Values is Whole without
// the check of what the file format can carry.
enum class CheckPass { Sizing, Writing, Whole, Values };

// Where a failed check goes: the message and the cell (the row as the user
// sees it). The answer says whether the walk goes on.
class ProblemReport {
public:
    virtual bool report(const std::string &message, int column, int shownRow) = 0;

protected:
    ~ProblemReport() = default;
};

// The one place that says which checks a cell gets in which pass, and in
// which order. Checks may tidy the cell (trim it, upper-case it); the
// tidied text stays in the document.
class CellChecks {
public:
    // What a writing pass learns of a column from its first non-empty cell:
    // its heading is normalised, and only the one enumerated check that may
    // apply to it can fail from then on.
    struct Settled {
        bool settled = false;
        std::optional<EnumeratedCheck> check;
    };

    // `current`: the Current mode's checks (nullptr: the Classic ones).
    // `settled`: kept by the caller from cell to cell (and batch to batch)
    // of one writing pass; nullptr runs every enumerated check on every
    // cell. `rowOffset` turns the document's rows into the rows shown.
    CellChecks(ExportFormat format, LogDocument &document, CurrentChecks *current, int latestYear,
               std::vector<Settled> *settled = nullptr, int rowOffset = 0);

    // Runs the pass's checks of the cell in their order; each failure goes
    // to `report`. False when the report said to stop.
    bool run(CheckPass pass, const TagRecord &record, int column, int row, ProblemReport &report);

private:
    bool carriable(const TagRecord &record, int column, int row, ProblemReport &report);
    bool enumerated(const TagRecord &record, int column, int row, ProblemReport &report);
    std::string cellLabel(int column, int row) const;

    const ExportFormat format_;
    LogDocument &document_;
    CurrentChecks *const current_;
    const int latestYear_;
    std::vector<Settled> *const settled_;
    const int rowOffset_;
};

}  // namespace vaziduvu
