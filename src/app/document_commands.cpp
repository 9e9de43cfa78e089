#include "app/document_commands.h"

#include "document/recovery_journal.h"

namespace vaziduvu {

namespace {

constexpr int kCellEditId = 1;

}  // namespace

RecordMaker JournaledStep::journalRecordMaker() const
{
    return [record = journalRecord()] { return record; };
}

GridChangeCommand::GridChangeCommand(const QString &text, LogDocument &document, GridChange change,
                                     ChangeShown shown, int mergeColumn, int mergeRow,
                                     QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , change_(std::make_shared<const GridChange>(std::move(change)))
    , shown_(std::move(shown))
    , column_(mergeColumn)
    , row_(mergeRow)
{
}

GridChangeCommand *GridChangeCommand::replayed(const QString &text, LogDocument &document,
                                               GridChange change, ChangeShown shown,
                                               int mergeColumn, int mergeRow, bool merged,
                                               QUndoCommand *parent)
{
    auto *command = new GridChangeCommand(text, document, std::move(change), std::move(shown),
                                          mergeColumn, mergeRow, parent);
    command->applied_ = false;
    command->replayMerge_ = merged;
    return command;
}

std::string GridChangeCommand::journalRecord() const
{
    return JournalStep::encodeChange(text().toUtf8().toStdString(), column_, row_, *change_,
                                     madeAt_);
}

RecordMaker GridChangeCommand::journalRecordMaker() const
{
    return [text = text().toUtf8().toStdString(), column = column_, row = row_, change = change_,
            madeAt = madeAt_] {
        return JournalStep::encodeChange(text, column, row, *change, madeAt);
    };
}

void GridChangeCommand::undo()
{
    change_->undo(document_);
    shown_(column_, row_);
}

void GridChangeCommand::redo()
{
    if (applied_) {
        applied_ = false;  // the operation itself made the change
        return;
    }
    change_->redo(document_);
    shown_(column_, row_);
}

int GridChangeCommand::id() const
{
    return column_ >= 0 && row_ >= 0 ? kCellEditId : -1;
}

bool GridChangeCommand::mergeWith(const QUndoCommand *other)
{
    const auto *later = static_cast<const GridChangeCommand *>(other);
    if (later->column_ != column_ || later->row_ != row_)
        return false;
    if (later->replayMerge_) {
        // As it was when the step was made, whatever the history looks like.
        if (!*later->replayMerge_)
            return false;
        auto merged = std::make_shared<GridChange>(*change_);
        merged->absorb(*later->change_);
        change_ = std::move(merged);
        return true;
    }
    // Typing a cell back to what it held is a step of its own: only undo
    // brings the history back to a saved state.
    auto merged = std::make_shared<GridChange>(*change_);
    merged->absorb(*later->change_);
    if (merged->empty())
        return false;
    change_ = std::move(merged);
    return true;
}

RemoveRowsCommand::RemoveRowsCommand(const QString &text, LogDocument &document,
                                     std::vector<int> rows, ChangeShown shown, QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , rows_(std::move(rows))
    , shown_(std::move(shown))
{
}

std::string RemoveRowsCommand::journalRecord() const
{
    return JournalStep::encodeRemoveRows(text().toUtf8().toStdString(), rows_, madeAt_);
}

void RemoveRowsCommand::redo()
{
    before_ = document_.shape();
    removed_ = document_.removeRows(rows_);
    const int row = rows_.empty() ? -1 : std::min(rows_.front(), document_.rowCount() - 1);
    shown_(-1, row);
}

void RemoveRowsCommand::undo()
{
    document_.insertRows(removed_);
    document_.setShape(before_);
    removed_.clear();
    shown_(-1, rows_.empty() ? -1 : rows_.front());
}

ReorderRowsCommand::ReorderRowsCommand(const QString &text, LogDocument &document,
                                       std::vector<int> order, ChangeShown shown,
                                       QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , order_(std::move(order))
    , inverse_(order_.size())
    , shown_(std::move(shown))
{
    for (size_t i = 0; i < order_.size(); ++i)
        inverse_[static_cast<size_t>(order_[i] - 1)] = static_cast<int>(i) + 1;
}

std::string ReorderRowsCommand::journalRecord() const
{
    return JournalStep::encodeReorderRows(text().toStdString(), order_, madeAt_);
}

void ReorderRowsCommand::redo()
{
    document_.reorderRows(order_);
    shown_(-1, 1);
}

void ReorderRowsCommand::undo()
{
    document_.reorderRows(inverse_);
    shown_(-1, 1);
}

RemoveColumnCommand::RemoveColumnCommand(const QString &text, LogDocument &document, int column,
                                         ChangeShown shown, QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , column_(column)
    , shown_(std::move(shown))
{
}

std::string RemoveColumnCommand::journalRecord() const
{
    return JournalStep::encodeRemoveColumn(text().toUtf8().toStdString(), column_, madeAt_);
}

void RemoveColumnCommand::redo()
{
    before_ = document_.shape();
    removed_ = document_.removeColumn(column_);
    shown_(std::min(column_, document_.columnCount() - 1), -1);
}

void RemoveColumnCommand::undo()
{
    document_.insertColumn(column_, removed_);
    document_.setShape(before_);
    removed_.clear();
    shown_(column_, -1);
}

StepGroupCommand::StepGroupCommand(const QString &text)
    : QUndoCommand(text)
{
}

bool StepGroupCommand::journalable() const
{
    for (int i = 0; i < childCount(); ++i) {
        const auto *step = dynamic_cast<const JournaledStep *>(child(i));
        if (step == nullptr || !step->journalable())
            return false;
    }
    return childCount() > 0;
}

RecordMaker StepGroupCommand::journalRecordMaker() const
{
    std::vector<RecordMaker> parts;
    for (int i = 0; i < childCount(); ++i)
        parts.push_back(dynamic_cast<const JournaledStep &>(*child(i)).journalRecordMaker());
    return [text = text().toUtf8().toStdString(), parts = std::move(parts), madeAt = madeAt_] {
        std::vector<std::string> records;
        for (const RecordMaker &part : parts)
            records.push_back(part());
        return JournalStep::encodeGroup(text, records, madeAt);
    };
}

std::string StepGroupCommand::journalRecord() const
{
    std::vector<std::string> parts;
    for (int i = 0; i < childCount(); ++i)
        parts.push_back(dynamic_cast<const JournaledStep &>(*child(i)).journalRecord());
    return JournalStep::encodeGroup(text().toUtf8().toStdString(), parts, madeAt_);
}

}  // namespace vaziduvu
