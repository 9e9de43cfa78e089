#pragma once

#include "adif/adif_mode.h"

#include <QString>

#include <string>
#include <utility>

class QPlainTextEdit;

namespace vaziduvu {

// The text views (load report, source view) show a log's bytes as Latin-1,
// or decoded as UTF-8 for a UTF-8 log (a byte-order mark shows as nothing),
// and break lines at "\n": a "\r\n" pair becomes one break and a lone "\r"
// a break of its own, so lines stay where the file has them.
QString displayText(const std::string &text, TextEncoding encoding = TextEncoding::Latin1);

// In a view showing displayText(text, encoding), selects the line of text
// that holds the byte offset (an offset past the end: the last line) and puts
// the caret at the line's start. A line without a following break gets the
// caret only. Returns the selection in byte offsets into text (start,
// length), whatever the encoding.
std::pair<int, int> selectLineAt(QPlainTextEdit &view, const std::string &text, int offset,
                                 TextEncoding encoding = TextEncoding::Latin1);

}  // namespace vaziduvu
