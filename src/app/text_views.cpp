#include "app/text_views.h"

#include "app/qt_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace vaziduvu {

namespace {

bool isLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

// Position in the displayed text of an offset into the original text.
int displayOffset(const std::string &text, int offset, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return static_cast<int>(
            displayText(text.substr(0, static_cast<size_t>(offset)), encoding).size());
    int pairs = 0;
    for (int i = 0; i + 1 < offset && i + 1 < static_cast<int>(text.size()); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n')
            ++pairs;
    }
    return offset - pairs;
}

QString utf8DisplayText(const std::string &text)
{
    std::string broken;
    broken.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            broken += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            broken += text[i];
        }
    }
    QString shown = QString::fromUtf8(broken.data(), static_cast<qsizetype>(broken.size()));
    shown.remove(QChar(0xFEFF));
    return shown;
}

}  // namespace

QString displayText(const std::string &text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return utf8DisplayText(text);
    // Built in one pass straight into the QString: a log can be megabytes.
    QString shown(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar *out = shown.data();
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            *out++ = QLatin1Char('\n');
            if (i + 1 < size && text[i + 1] == '\n')
                ++i;
        } else {
            *out++ = QLatin1Char(static_cast<char>(byte));
        }
    }
    shown.truncate(out - shown.constData());
    return shown;
}

std::pair<int, int> selectLineAt(QPlainTextEdit &view, const std::string &text, int offset,
                                 TextEncoding encoding)
{
    const int length = static_cast<int>(text.size());
    if (length == 0)
        return {0, 0};
    int k = std::min(std::max(0, offset), length - 1);
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
    QTextCursor cursor(view.document());
    const int shownStart = displayOffset(text, start, encoding);
    cursor.setPosition(shownStart);
    std::pair<int, int> selection{start, 0};
    if (lineEnds && end > start) {
        cursor.setPosition(displayOffset(text, end, encoding));
        cursor.setPosition(shownStart, QTextCursor::KeepAnchor);
        selection = {start, end - start};
    }
    view.setTextCursor(cursor);
    view.ensureCursorVisible();
    return selection;
}

}  // namespace vaziduvu
