#pragma once

#include "adif/progress.h"
#include "adif/tag_record.h"
#include "export/writers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class ExportHost;
class LogDocument;

// Quick fixes: the mend of a problem the export checks find, when exactly
// one mend makes the cell pass and nothing has to be guessed. A FREQ outside
// its BAND (which of the two is wrong?), an unknown STATE or a wrong DXCC
// have none and stay problems. The window and the command-line tool both
// take their fixes from here, so they mend a log alike; nothing is changed
// until a caller applies a fix.

// What a mend does; with QuickFix::target it says which mends are alike
// (one "Fix All Like This").
enum class FixKind : uint8_t {
    SubmodeAsMode,      // MODE holds a submode or an import-only mode: MODE and SUBMODE
    BandFromFrequency,  // BAND missing or empty while FREQ lies in one band
    DateWritten,        // 2024-01-05 or 2024/01/05 -> 20240105
    TimeWritten,        // 12:34 or 12:34:56 -> 1234 or 123456
    Blanks,             // blanks around a value
    LetterCase,         // a value accepted in capitals only
};

// One cell a mend changes.
struct CellFix {
    std::string field;  // the column's heading, trimmed and in capitals
    int column = 0;     // 0: the log has no such column; applying the fix adds it
    int row = 0;
    std::string before;  // the cell's text as it is
    std::string after;
};

struct QuickFix {
    FixKind kind = FixKind::Blanks;
    // The mode a MODE mend gives (SSB, MFSK, ...); the field for the others.
    std::string target;
    // The value mended, trimmed and in capitals (for the label of a kind).
    std::string from;
    std::string description;  // e.g. "MODE SSB, SUBMODE USB"
    std::vector<CellFix> cells;
    // A column of the row whose cell the file holds: a field the record
    // lacks is written after it.
    int anchorColumn = 0;

    bool sameKind(const QuickFix &other) const
    {
        return kind == other.kind && target == other.target;
    }
};

// A problem of a log check with its mend, if it has one.
struct FoundProblem {
    LogProblem problem;
    std::optional<QuickFix> fix;
};

// checkLog's problems of an ADIF export, each with its mend when it has
// one, and (Current mode) one more line for every missing or empty BAND
// whose FREQ lies in a band, which always has its mend. In grid
// order. The document is left exactly as it was: the checks' tidying is
// taken back.
std::vector<FoundProblem> findQuickFixes(LogDocument &document, ExportHost &host);

// findQuickFixes for a caller that ran the log check itself (a log read a
// batch at a time, each batch a document with the whole log's columns): the
// mends of `problems`, whose rows are the document's, as findQuickFixes
// gives them. The document must be as it was read (the check's tidying
// taken back).
std::vector<FoundProblem> quickFixesOf(LogDocument &document, std::vector<LogProblem> problems,
                                       int latestYear);

// The label of the kind of the given mends (all alike), naming the values
// they mend: "MODE USB/LSB -> SSB with SUBMODE".
std::string describeFixKind(const std::vector<const QuickFix *> &fixes);

// The mends of the problems, each once: a mend that would change a cell an
// earlier one already changes is left out (two problems of one cell share
// their mend).
std::vector<const QuickFix *> fixesToApply(const std::vector<FoundProblem> &found);

// What applying mends did.
struct AppliedFixes {
    int fixes = 0;         // mends that changed a cell
    int cells = 0;         // cells changed
    int contacts = 0;      // rows changed
    bool stopped = false;  // the progress asked to stop: only some mends were applied
};

// Applies the mends in order: a column a mend needs is added once (at the
// right, headed by its field), cells are set to their new texts (a cell
// without record gets one). A mend whose cells all hold their new texts
// already changes nothing and is not counted. Callers that must be able to
// undo open the document's journal around it. The progress, when given,
// hears of the mends applied and may stop the run between two of them; the
// caller then takes back what was applied (through the journal).
AppliedFixes applyQuickFixes(LogDocument &document, const std::vector<const QuickFix *> &fixes,
                             Progress *progress = nullptr);

// The log's source text with the mends written into it: a changed value's
// tag gets the new length (its name and type letter as they were), a field
// the record lacks is written after the anchor's value and comment, and
// every other byte stays as it was read. The document must be the one read
// from `source` (its cells know their places in it). Throws
// std::runtime_error when a mend's row has no value in the source.
// `base`: the file offset of source[0], when the source is one batch of a
// log read a batch at a time (its cells know their places in the file).
std::string rewriteSource(const LogDocument &document, std::string_view source,
                          const std::vector<const QuickFix *> &fixes, size_t base = 0);

// The record applyQuickFixes gives a cell of a column it adds: the template
// of that column once the mends are applied is the one of its first row.
TagRecord recordOfAddedCell(const std::string &field, const std::string &value);

}  // namespace vaziduvu
