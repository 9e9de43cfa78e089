// The load report, the source view and the busy caption.
#include "adif/adif_file.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/source_display_dialog.h"
#include "platform/platform.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace vaziduvu {

namespace {

const char *const kSourceHeading = "SOURCE FILE:  (read only)\r\n\r\n";
constexpr int kHeadingEnd = 28;  // offset of the heading's last line feed

bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

// The text views break lines at "\n"; a "\r\n" pair becomes one break and a
// lone "\r" a break of its own, so lines stay where the file has them.
QString displayText(const std::string &text)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            shown += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            shown += text[i];
        }
    }
    return toQt(shown);
}

// Position in the displayed text of an offset into the original text.
int displayOffset(const std::string &text, int offset)
{
    int pairs = 0;
    for (int i = 0; i + 1 < offset && i + 1 < static_cast<int>(text.size()); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n')
            ++pairs;
    }
    return offset - pairs;
}

}  // namespace

void TForm1::setLoadReport(const std::string &text)
{
    loadReport_ = text;
    RichEdit1->setPlainText(displayText(text));
}

void TForm1::setSourceView(const std::string &text)
{
    sourceView_ = text;
    RichEdit2->setPlainText(displayText(text));
}

void TForm1::AppendLoadReport(const std::string &text)
{
    try {
        if (!text.empty()) {
            setLoadReport(loadReport_ + text);
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
            statistics += "Left  Brackets:         " + std::to_string(adifFile_->leftBracketCount())
                          + "\r\n";
            statistics += "Right Brackets:         "
                          + std::to_string(adifFile_->rightBracketCount()) + "\r\n";
        }
        statistics += "End-Record Markers:     " + std::to_string(adifFile_->recordCount()) + "\r\n";
        setLoadReport(loadReport_ + statistics);
    } catch (...) {
    }
}

void TForm1::ShowSourceText(const std::string &text)
{
    try {
        setSourceView(kSourceHeading + text);
    } catch (...) {
        setSourceView("Problem with source file display");
    }
}

void TForm1::SelectSourceLine(int position)
{
    try {
        const std::string &text = sourceView_;
        const int length = static_cast<int>(text.size());
        if (length == 0)
            return;
        int k = std::max(0, position) + kHeadingEnd;
        if (k > length - 1)
            k = length - 1;  // a position past the end selects the last line
        int start = k;
        while (k > 0) {
            if (isLineBreak(text[k])) {
                start = k + 1;
                break;
            }
            --k;
        }
        int end = start;
        while (end < length && !isLineBreak(text[end]))
            ++end;
        const bool lineEnds = end < length;

        // The caret stays at the start of the line so the view shows it from
        // its beginning.
        QTextCursor cursor(RichEdit2->document());
        cursor.setPosition(displayOffset(text, start));
        sourceSelection_ = {start, 0};
        if (lineEnds && end > start) {
            cursor.setPosition(displayOffset(text, end));
            cursor.setPosition(displayOffset(text, start), QTextCursor::KeepAnchor);
            sourceSelection_ = {start, end - start};
        }
        RichEdit2->setTextCursor(cursor);
        RichEdit2->ensureCursorVisible();
    } catch (...) {
    }
}

std::pair<int, int> TForm1::sourceSelection() const { return sourceSelection_; }

void TForm1::ShowBusyCaption(const std::string &caption)
{
    try {
        Panel1->setText(toQt(caption));
        Panel1->show();
        Panel1->raise();
        Panel1->repaint();
        Panel1->repaint();
    } catch (...) {
    }
}

void TForm1::RichEdit2MouseDown()
{
    try {
        TOKBottomDlg dialog(toQt(sourceView_), this);
        platform_.runModal(dialog);
    } catch (...) {
    }
}

void TForm1::UseSyntaxHighlighting1Click()
{
    try {
        if (UseSyntaxHighlighting1->isChecked()) {
            UseSyntaxHighlighting1->setChecked(false);
            return;
        }
        if (platform_.confirm(this, "Syntax highlighting may slow down the loading of some files.  "
                                    "Use it anyway?"))
            UseSyntaxHighlighting1->setChecked(true);
    } catch (...) {
    }
}

}  // namespace vaziduvu
