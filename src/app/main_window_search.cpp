// Search: the modeless search window and the grid search behind it.
#include "app/main_window.h"
#include "app/search_dialog.h"

namespace vaziduvu {

void MainWindow::openSearch()
{
    guarded("Could not open the search window.", [this] {
        if (searchDialog_ == nullptr) {
            searchDialog_ = new SearchDialog(frameGeometry(), this);
            searchDialog_->setSearchCallback(
                [this](const std::string &text, bool findNext, bool matchCase) {
                    search(text, findNext, matchCase);
                });
        }
        searchDialog_->show();
        searchDialog_->raise();
        searchDialog_->activateWindow();
    });
}

void MainWindow::search(const std::string &text, bool findNext, bool matchCase)
{
    guarded("Could not search the grid.", [&] {
        const SearchHit hit = searchGrid(document_, text, findNext, matchCase, searchPosition_);
        if (hit.found)
            selectCell(hit.column, hit.row);
    });
}

}  // namespace vaziduvu
