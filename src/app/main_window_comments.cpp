// Cell comments: showing (F12) and entering (F11) the comment of the
// current cell.
#include "adif/text.h"
#include "app/main_window.h"
#include "platform/platform.h"

namespace vaziduvu {

namespace {

const char *const kNoComment = "No comment found for this row and column.";
const char *const kNoBracketsInComment
    = "The characters < and > cannot be stored in a comment: they would break the tags of the "
      "log.\r\nThe comment was not changed.";

}  // namespace

void MainWindow::showCellComment()
{
    guarded("Could not show the comment.", [this] {
        const CellRecord record = document_.cellInfo(currentColumn(), currentRow());
        if (record == nullptr) {
            showMessage("Problem:", kNoComment);
            return;
        }
        const std::string comment = trimText(record->comment);
        if (!comment.empty())
            showMessage("Problem:", "Comment: " + comment);
        else
            showMessage("Problem:", kNoComment);
    });
}

void MainWindow::editCellComment()
{
    guarded("Could not change the comment.", [this] {
        const int column = currentColumn();
        const int row = currentRow();
        // Recorded from before the record is made, so undo removes a
        // record made for the comment; a cancelled entry keeps it unrecorded.
        GridChange change = GridChange::capture(document_, GridRegion::cell(column, row));
        TagRecord *record = document_.ensureCellRecord(column, row);
        if (record == nullptr)
            return;
        const std::string entered = trimText(
            platform_.inputBox(this, "Enter comment", "Enter new comment:", record->comment));
        if (entered.empty())
            return;
        if (entered.find_first_of("<>") != std::string::npos) {
            showMessage("Problem:", kNoBracketsInComment);
            return;
        }
        // Looked up again: the box is modal, but the record is the document's.
        record = document_.editableCellInfo(column, row);
        if (record == nullptr)
            return;
        record->comment = entered;
        change.finish(document_);
        pushChange(QStringLiteral("Edit Comment"), std::move(change));
        markDataChanged();
        refreshGrid();
    });
}

}  // namespace vaziduvu
