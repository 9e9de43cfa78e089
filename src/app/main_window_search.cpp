// Search: the modeless search window and the grid search behind it.
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/search_dialog.h"
#include "platform/latin1_text.h"

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
            searchDialog_->setReplaceCallback([this](const SearchDialog::ReplaceRequest &request) {
                return replaceInColumn(request);
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
        SearchHit hit = searchGrid(document_, text, findNext, matchCase, searchPosition_);
        // A hit in a row the sort or filter of the view hides is passed over.
        const SearchHit firstHidden = hit;
        while (hit.found && hit.row > 0 && gridModel_->viewRow(hit.row) < 0) {
            hit = searchGrid(document_, text, true, matchCase, searchPosition_);
            if (hit.column == firstHidden.column && hit.row == firstHidden.row)
                hit.found = false;
        }
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

namespace vaziduvu {

namespace {

QString quoted(const std::string &text, TextEncoding encoding)
{
    return QStringLiteral("\u201C") + toQt(text, encoding) + QStringLiteral("\u201D");
}

}  // namespace

QString MainWindow::replaceInColumn(const SearchDialog::ReplaceRequest &request)
{
    QString result;
    guarded("Could not replace in the column.", [&] {
        gridDelegate_->commitOpenEditor();
        const int column = currentColumn();
        if (!document_.documentOpen() || column < 1 || column >= document_.columnCount()) {
            result = QStringLiteral("Select a cell of the column to replace in first.");
            return;
        }
        const TextEncoding encoding = document_.textEncoding();
        const std::string outside = encoding == TextEncoding::Latin1
            ? charactersOutsideLatin1(request.replacement)
            : std::string();
        if (!outside.empty()) {
            showMessage("Problem:", outsideLatin1Message(outside));
            result = QStringLiteral("Nothing was replaced.");
            return;
        }
        const ReplaceRule rule{request.find, fromQt(request.replacement, encoding),
                               request.matchCase, request.wholeValue, encoding};
        // Values are delimited by their lengths in the Current mode only.
        const bool bracketsAllowed = document_.adifMode() == AdifMode::Current;
        const std::string field(document_.text(column, 0));

        std::vector<std::pair<int, std::string>> changes;
        const int rows = document_.rowCount();
        const int start = request.all ? 1 : std::max(1, currentRow());
        auto changeAt = [&](int row) -> std::optional<std::string> {
            if (row < 1 || row >= rows)
                return std::nullopt;
            std::optional<std::string> replaced = replacedText(document_.text(column, row), rule);
            if (replaced && *replaced == document_.text(column, row))
                return std::nullopt;  // nothing would change
            return replaced;
        };
        if (request.all) {
            for (int row = 1; row < rows; ++row) {
                if (std::optional<std::string> replaced = changeAt(row))
                    changes.emplace_back(row, std::move(*replaced));
            }
        } else if (std::optional<std::string> replaced = changeAt(start)) {
            changes.emplace_back(start, std::move(*replaced));
        }

        for (const auto &[row, text] : changes) {
            const char *refusal = nullptr;
            if (!bracketsAllowed && text.find_first_of("<>") != std::string::npos)
                refusal = "The characters < and > cannot be stored in a cell: they would "
                          "break the tags of the log.";
            else if (toQt(text, encoding).size() > LogDocument::kEditLimit)
                refusal = "The value would grow past the 1000 characters a cell may hold.";
            if (refusal) {
                showMessage("Problem:",
                            std::string(refusal) + "\r\n(Row " + std::to_string(row) + " of column "
                                + field + ".) Nothing was replaced.");
                selectCell(column, row);
                result = QStringLiteral("Nothing was replaced.");
                return;
            }
        }

        if (!changes.empty()) {
            const std::string what
                = request.all ? "Replace All in " + field : "Replace in " + field;
            recordChange(what, GridRegion::column(document_, column), [&] {
                for (auto &[row, text] : changes)
                    document_.setText(column, row, std::move(text));
            });
            refreshGrid();
        }

        if (request.all) {
            if (changes.empty()) {
                result = quoted(request.find, encoding) + " was not found in "
                    + toQt(field, encoding) + ".";
            } else {
                result
                    = toQt("Replaced " + std::to_string(changes.size())
                               + (changes.size() == 1 ? " value in " : " values in ") + field + ".",
                           encoding);
                selectCell(column, changes.front().first);
            }
            return;
        }
        // Replace goes on to the next value of the column that matches.
        int next = -1;
        for (int step = 1; step < rows; ++step) {
            const int row = (start - 1 + step) % (rows - 1) + 1;
            if (changeAt(row)) {
                next = row;
                break;
            }
        }
        if (next > 0)
            selectCell(column, next);
        if (!changes.empty())
            result = toQt(
                "Replaced 1 value in " + field + "."
                    + (next > 0 ? " Replace again for the next one." : " There are no more."),
                encoding);
        else if (next > 0)
            result
                = toQt("Found in row " + std::to_string(next) + ": Replace again to replace it.");
        else
            result = quoted(request.find, encoding) + " was not found in " + toQt(field, encoding)
                + ".";
    });
    return result;
}

}  // namespace vaziduvu
