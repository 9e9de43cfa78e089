// The change journal: the cells and trailers an operation touched, as they
// were before it, so the operation can become one step of the history.
#include "document/log_document.h"

#include "adif/adif_file.h"
#include "adif/text.h"

namespace vaziduvu {

// --- change journal ------------------------------------------------------------

namespace {

uint64_t journalKey(int column, int row)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32)
        | static_cast<uint32_t>(column);
}

}  // namespace

void LogDocument::openJournal()
{
    journalOpen_ = true;
    journalShape_ = shape();
    journal_.clear();
    journaled_.clear();
}

std::vector<LogDocument::JournalEntry> LogDocument::closeJournal(GridShape &shapeBefore)
{
    journalOpen_ = false;
    shapeBefore = journalShape_;
    journaled_.clear();
    return std::move(journal_);
}

void LogDocument::journal(int column, int row)
{
    if (!journalOpen_ || !journaled_.insert(journalKey(column, row)).second)
        return;
    journal_.push_back({column, row, cellContent(column, row), {}});
}

void LogDocument::journalTrailer(int recordIndex)
{
    if (!journalOpen_ || !journaled_.insert(journalKey(recordIndex, -1)).second)
        return;
    journal_.push_back({recordIndex, -1, {}, recordTrailer(recordIndex)});
}

}  // namespace vaziduvu
