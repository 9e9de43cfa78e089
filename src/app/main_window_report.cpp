// The load report, the source view and the busy caption.
#include "adif/adif_file.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/source_display_dialog.h"
#include "app/text_views.h"
#include "platform/platform.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace vaziduvu {

namespace {

const char *const kSourceHeading = "SOURCE FILE:  (read only)\r\n\r\n";
constexpr int kHeadingEnd = 28;   // offset of the heading's last line feed
constexpr int kHeadingLines = 2;  // lines of the heading before the file's text
constexpr size_t kSourceViewLimit = size_t(16) << 20;  // bytes of a file the source view shows

}  // namespace

void MainWindow::setLoadReport(const std::string &text)
{
    loadReportText_ = text;
    loadReportView_->setPlainText(displayText(text, document_.textEncoding()));
}

void MainWindow::setSourceView(const std::string &text)
{
    sourceViewText_ = text;
    sourceView_->setPlainText(displayText(text, document_.textEncoding()));
}

void MainWindow::appendLoadReport(const std::string &text)
{
    if (!text.empty()) {
        setLoadReport(loadReportText_ + text);
        return;
    }
    std::string statistics;
    if (adifFile_->headerExpected()) {
        statistics += "\r\nHeader Markers OK?      ";
        statistics += adifFile_->noHeaderOrStart() ? "No" : "Yes";
        statistics += "\r\n";
    } else {
        statistics += "\r\nHeader Markers OK?     ";
        statistics += " NA ";
        statistics += "\r\n";
    }
    if (adifFile_->leftBracketCount() == adifFile_->rightBracketCount()) {
        statistics
            += "Left  Brackets:         " + std::to_string(adifFile_->leftBracketCount()) + "\r\n";
        statistics
            += "Right Brackets:         " + std::to_string(adifFile_->rightBracketCount()) + "\r\n";
    }
    statistics += "End-Record Markers:     " + std::to_string(adifFile_->recordCount()) + "\r\n";
    if (adifFile_->lastRecordStart() >= 0)
        statistics += "\r\nThe last record has no <EOR>\r\n(it starts at character "
            + std::to_string(adifFile_->lastRecordStart())
            + ").\r\nIt is loaded as the last record.\r\n";
    setLoadReport(loadReportText_ + statistics);
}

void MainWindow::showSourceText(const std::string &text)
{
    try {
        // A view of a huge file would hold it several times over (the text,
        // its display form, the view's own document): beyond the limit only
        // its beginning is shown, and the view says so.
        if (text.size() <= kSourceViewLimit) {
            setSourceView(kSourceHeading + text);
            return;
        }
        setSourceView(
            kSourceHeading + text.substr(0, kSourceViewLimit) + "\r\n\r\n... The rest of the file ("
            + std::to_string(text.size() - kSourceViewLimit) + " bytes) is not shown.\r\n");
    } catch (...) {
        setSourceView("Problem with source file display");
    }
}

void MainWindow::selectSourceLine(int position)
{
    sourceSelection_ = selectLineAt(*sourceView_, sourceViewText_,
                                    std::max(0, position) + kHeadingEnd, document_.textEncoding());
}

std::pair<int, int> MainWindow::sourceSelection() const
{
    return sourceSelection_;
}

void MainWindow::showBusyBanner(const std::string &caption)
{
    busyBanner_->setText(toQt(caption));
    busyBanner_->show();
    busyBanner_->raise();
    busyBanner_->repaint();
}

void MainWindow::openSourceDisplay()
{
    SourceDisplayDialog dialog(sourceViewText_,
                               sourceSelection_.second > 0 ? sourceSelection_.first : -1,
                               kHeadingLines, this, document_.textEncoding());
    platform_.runModal(dialog);
}

void MainWindow::toggleSyntaxHighlighting()
{
    guarded("Could not change the display option.", [this] {
        if (syntaxHighlightingAction_->isChecked()) {
            syntaxHighlightingAction_->setChecked(false);
            return;
        }
        if (platform_.confirm(this,
                              "Syntax highlighting may slow down the loading of some files.  "
                              "Use it anyway?"))
            syntaxHighlightingAction_->setChecked(true);
    });
}

}  // namespace vaziduvu
