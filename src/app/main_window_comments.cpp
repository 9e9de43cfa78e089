// Cell comments: showing (F12) and entering (F11) the comment of the
// current cell.
#include "adif/text.h"
#include "app/main_window.h"
#include "platform/platform.h"

namespace vaziduvu {

namespace {

const char *const kNoComment = "No comment found for this row and column.";

}  // namespace

void TForm1::ShowCellComment()
{
    try {
        const TagRecord *record = document_.cellInfo(currentColumn(), currentRow());
        if (record == nullptr) {
            ShowMessageBox("Problem:", kNoComment);
            return;
        }
        const std::string comment = trimText(record->comment);
        if (!comment.empty())
            ShowMessageBox("Problem:", "Comment: " + comment);
        else
            ShowMessageBox("Problem:", kNoComment);
    } catch (...) {
    }
}

void TForm1::EditCellComment()
{
    try {
        const int column = currentColumn();
        const int row = currentRow();
        TagRecord *record = document_.EnsureCellRecord(column, row);
        if (record == nullptr)
            return;
        const std::string entered =
            trimText(platform_.inputBox(this, "Enter comment", "Enter new comment:", record->comment));
        if (entered.empty())
            return;
        // Looked up again: the box is modal, but the record is the document's.
        record = document_.cellInfo(column, row);
        if (record == nullptr)
            return;
        record->comment = entered;
        MarkDataChanged();
        refreshGrid();
    } catch (...) {
    }
}

void TForm1::ToolButton10Click() { ShowCellComment(); }

void TForm1::ToolButton11Click() { EditCellComment(); }

}  // namespace vaziduvu
