// Search: the modeless search window and the grid search behind it.
#include "app/main_window.h"
#include "app/search_dialog.h"

namespace vaziduvu {

void TForm1::Search1Click() { ToolButton12Click(); }

void TForm1::ToolButton12Click()
{
    try {
        if (searchWindow_ == nullptr)
            searchWindow_ = new TOKRightDlg2(frameGeometry(), this);
        searchWindow_->setSearchCallback(
            [this](const std::string &text, int findNext, int matchCase) {
                SearchCallback(text, findNext, matchCase);
            });
        searchWindow_->show();
        searchWindow_->raise();
        searchWindow_->activateWindow();
    } catch (...) {
    }
}

void TForm1::SearchCallback(const std::string &text, int findNext, int matchCase)
{
    try {
        const SearchHit hit =
            SearchGrid(document_, text, findNext == 1, matchCase == 1, searchPosition_);
        if (hit.found)
            SelectCell(hit.column, hit.row);
    } catch (...) {
    }
}

}  // namespace vaziduvu
