#pragma once

#include "document/grid_change.h"
#include "document/log_document.h"
#include "document/recovery_journal.h"

#include <QUndoCommand>

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

// A step of the history that the recovery journal can keep and replay.
class JournaledStep {
public:
    virtual ~JournaledStep() = default;
    // The step's journal record (JournalStep::encode...), as it is now.
    virtual std::string journalRecord() const = 0;
    // The same record, made later by the journal's thread; the maker shares
    // what it needs, so the step may change or go meanwhile.
    virtual RecordMaker journalRecordMaker() const;
    // False when the step cannot be replayed from its record.
    virtual bool journalable() const { return true; }

protected:
    int64_t madeAt_ = static_cast<int64_t>(std::time(nullptr));
};

// Called after a command changed the document on undo or redo: the window
// refreshes the grid and shows the cell (column, row) when it names one,
// column or row -1 otherwise.
using ChangeShown = std::function<void(int column, int row)>;

// A change recorded around an operation that has already been made: the
// first redo (QUndoStack::push) does nothing, later ones replay it. Edits of
// one cell that follow each other merge into one step, unless together they
// change nothing.
class GridChangeCommand : public QUndoCommand, public JournaledStep {
public:
    // mergeColumn/mergeRow: the one cell an edit command changed; -1 for a
    // command that never merges.
    GridChangeCommand(const QString &text, LogDocument &document, GridChange change,
                      ChangeShown shown, int mergeColumn = -1, int mergeRow = -1,
                      QUndoCommand *parent = nullptr);
    // A change replayed from the recovery journal: the first redo makes it,
    // and it merges into the step before exactly when it did (merged).
    static GridChangeCommand *replayed(const QString &text, LogDocument &document,
                                       GridChange change, ChangeShown shown, int mergeColumn,
                                       int mergeRow, bool merged, QUndoCommand *parent = nullptr);
    std::string journalRecord() const override;
    RecordMaker journalRecordMaker() const override;

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    LogDocument &document_;
    // Shared with the journal until it is encoded; never changed in place.
    std::shared_ptr<const GridChange> change_;
    ChangeShown shown_;
    int column_;
    int row_;
    bool applied_ = true;
    std::optional<bool> replayMerge_;
};

// Removal of data rows; undo puts them back with their records, trailers
// and numbers, and the counts as they were.
class RemoveRowsCommand : public QUndoCommand, public JournaledStep {
public:
    RemoveRowsCommand(const QString &text, LogDocument &document, std::vector<int> rows,
                      ChangeShown shown, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;
    std::string journalRecord() const override;

private:
    LogDocument &document_;
    std::vector<int> rows_;
    std::vector<LogDocument::RowContent> removed_;
    GridShape before_;
    ChangeShown shown_;
};

// A new order of the data rows (LogDocument::reorderRows); undo puts back
// the order before.
class ReorderRowsCommand : public QUndoCommand, public JournaledStep {
public:
    ReorderRowsCommand(const QString &text, LogDocument &document, std::vector<int> order,
                       ChangeShown shown, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;
    std::string journalRecord() const override;

private:
    LogDocument &document_;
    std::vector<int> order_;
    std::vector<int> inverse_;
    ChangeShown shown_;
};

// Removal of one data column; undo puts it back.
class RemoveColumnCommand : public QUndoCommand, public JournaledStep {
public:
    RemoveColumnCommand(const QString &text, LogDocument &document, int column, ChangeShown shown,
                        QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;
    std::string journalRecord() const override;

private:
    LogDocument &document_;
    int column_;
    std::vector<CellContent> removed_;
    GridShape before_;
    ChangeShown shown_;
};

// Steps made as one (its children, made with it as their parent): one
// entry of the history, undone and redone whole, kept in the journal as a
// group of its children's records.
class StepGroupCommand : public QUndoCommand, public JournaledStep {
public:
    explicit StepGroupCommand(const QString &text);
    std::string journalRecord() const override;
    RecordMaker journalRecordMaker() const override;
    // Every child is a journaled step.
    bool journalable() const override;
};

}  // namespace vaziduvu
