// The load report, the source view and the busy caption.
#include "adif/adif_file.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/source_display_dialog.h"
#include "app/text_views.h"
#include "export/current_hint.h"
#include "platform/platform.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <new>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace vaziduvu {

namespace {

const char *const kSourceHeading = "SOURCE FILE:  (read only)\r\n\r\n";
constexpr int kHeadingEnd = 28;   // offset of the heading's last line feed
constexpr int kHeadingLines = 2;  // lines of the heading before the file's text
// Bytes of a file the source view shows: a view holds its text several
// times over (the text, its display form, the layout), and a whole logbook
// of the Current mode would take most of a second and twice the file's size.
constexpr size_t kSourceViewLimit = size_t(16) << 20;
constexpr size_t kCurrentSourceViewLimit = size_t(1) << 20;

}  // namespace

void MainWindow::setLoadReport(const std::string &text)
{
    loadReportText_ = text;
    loadReportView_->setPlainText(displayText(text, document_.textEncoding()));
}

void MainWindow::setSourceView(const std::string &text)
{
    sourceViewText_ = text;
    sourceViewShift_ = 0;
    sourceView_->setPlainText(displayText(text, document_.textEncoding()));
}

void MainWindow::appendLoadReport(const std::string &text)
{
    if (!text.empty()) {
        setLoadReport(loadReportText_ + text);
        return;
    }
    std::string statistics = loadStatistics(*adifFile_);
    if (const std::string hint = currentAdifHint(document_, kCurrentAdifMenuRemedy); !hint.empty())
        statistics += "\r\n" + hint + "\r\n";
    setLoadReport(loadReportText_ + statistics);
}

std::string MainWindow::loadStatistics(const AdifFile &file)
{
    std::string statistics;
    if (file.headerExpected()) {
        statistics += "\r\nHeader Markers OK?      ";
        statistics += file.noHeaderOrStart() ? "No" : "Yes";
        statistics += "\r\n";
    } else {
        statistics += "\r\nHeader Markers OK?     ";
        statistics += " NA ";
        statistics += "\r\n";
    }
    if (file.leftBracketCount() == file.rightBracketCount()) {
        statistics += "Left  Brackets:         " + std::to_string(file.leftBracketCount()) + "\r\n";
        statistics
            += "Right Brackets:         " + std::to_string(file.rightBracketCount()) + "\r\n";
    }
    statistics += "End-Record Markers:     " + std::to_string(file.recordCount()) + "\r\n";
    if (file.lastRecordStart() >= 0)
        statistics += "\r\nThe last record has no <EOR>\r\n(it starts at character "
            + std::to_string(file.lastRecordStart()) + ").\r\nIt is loaded as the last record.\r\n";
    if (const int counted = file.lineEndCountedValues(); counted > 0)
        statistics += "\r\n" + std::to_string(counted)
            + (counted == 1 ? " value was" : " values were")
            + " read with each line break counted as CR LF:\r\nthe log went through a "
              "line-ending conversion (the first at character "
            + std::to_string(file.firstLineEndCountedValue()) + ").\r\n";
    return statistics;
}

void MainWindow::showSourceText(const std::string &text, int32_t position)
{
    try {
        // Beyond the limit only a part is shown, and the view says so: the
        // beginning, or for an error further on the lines around it.
        const size_t limit
            = adifMode_ == AdifMode::Current ? kCurrentSourceViewLimit : kSourceViewLimit;
        if (text.size() <= limit) {
            setSourceView(kSourceHeading + text);
            return;
        }
        size_t start = 0;
        size_t end = limit;
        std::string skipped;
        const size_t at = static_cast<size_t>(std::max(0, position));
        if (at >= limit / 2) {
            start = std::min(at - limit / 2, text.size() - limit);
            end = start + limit;
            const size_t lineStart = text.rfind('\n', start);
            start = lineStart == std::string::npos ? 0 : lineStart + 1;
            if (start > 0)
                skipped = "... The first " + std::to_string(start)
                    + " bytes of the file are not shown.\r\n\r\n";
        }
        const size_t shown = end - start;  // the limit, and the start of the first line
        std::string view = kSourceHeading + skipped + text.substr(start, shown);
        if (start + shown < text.size())
            view += "\r\n\r\n... The rest of the file ("
                + std::to_string(text.size() - start - shown) + " bytes) is not shown.\r\n";
        setSourceView(view);
        sourceViewShift_ = static_cast<int64_t>(start) - static_cast<int64_t>(skipped.size());
    } catch (const std::bad_alloc &) {
        setSourceView("Problem with source file display");
    }
}

void MainWindow::selectSourceLine(int position)
{
    const int64_t shown = std::max<int64_t>(0, position - sourceViewShift_) + kHeadingEnd;
    sourceSelection_
        = selectLineAt(*sourceView_, sourceViewText_,
                       static_cast<int>(std::min<int64_t>(shown, std::numeric_limits<int>::max())),
                       document_.textEncoding());
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
        if (action(Command::SyntaxHighlighting)->isChecked()) {
            action(Command::SyntaxHighlighting)->setChecked(false);
            return;
        }
        if (platform_.confirm(this,
                              "Syntax highlighting may slow down the loading of some files.  "
                              "Use it anyway?"))
            action(Command::SyntaxHighlighting)->setChecked(true);
    });
}

}  // namespace vaziduvu
