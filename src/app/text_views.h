#pragma once

#include <QString>

#include <string>
#include <utility>

class QPlainTextEdit;

namespace vaziduvu {

// The text views (load report, source view) show a log's bytes as Latin-1
// and break lines at "\n": a "\r\n" pair becomes one break and a lone "\r"
// a break of its own, so lines stay where the file has them.
QString displayText(const std::string &text);

// In a view showing displayText(text), selects the line of text that holds
// the byte offset (an offset past the end: the last line) and puts the
// caret at the line's start. A line without a following break gets the
// caret only. Returns the selection in offsets into text (start, length).
std::pair<int, int> selectLineAt(QPlainTextEdit &view, const std::string &text, int offset);

}  // namespace vaziduvu
