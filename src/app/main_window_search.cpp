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
                    return search(text, findNext, matchCase);
                });
        }
        searchDialog_->setTextEncoding(document_.textEncoding());
        searchDialog_->show();
        searchDialog_->raise();
        searchDialog_->activateWindow();
    });
}

bool MainWindow::search(const std::string &text, bool findNext, bool matchCase)
{
    bool found = false;
    guarded("Could not search the grid.", [&] {
        lastSearchText_ = text;
        lastSearchMatchCase_ = matchCase;
        const SearchHit hit = searchGrid(document_, text, findNext, matchCase, searchPosition_);
        found = hit.found;
        if (hit.found)
            selectCell(hit.column, hit.row);
    });
    return found;
}

void MainWindow::findNext()
{
    if (lastSearchText_.empty()) {
        openSearch();
        return;
    }
    if (!search(lastSearchText_, true, lastSearchMatchCase_) && searchDialog_)
        searchDialog_->showNotFound(lastSearchText_);
}

}  // namespace vaziduvu
