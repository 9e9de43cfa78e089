// The three formats' writers of an export run: ADIF, XML and HTML text,
// handed on to the file a piece at a time when one is being written.
#include "export/export_run.h"

namespace vaziduvu {

bool ExportRun::writeAdif()
{
    std::string header = kAdifHeaderStart + host_.exportDate();
    header += kAdifHeaderEnd;
    // The header is written even for a log without records, so the file
    // reads back as an (empty) ADIF log.
    std::string &out = out_;
    reserveText(header.size() + estimate_ + 1);
    out += header;
    for (int row = 1; row <= lastRow_; ++row) {
        if (stopped(row - 1))
            return false;
        bool rowWritten = false;
        for (int column = 1; column <= lastColumn_; ++column) {
            const bool bare = bareAfterGate(column, row);
            const TagRecord *record = bare ? blankOf(column) : passGate(column, row);
            if (record == nullptr)
                return false;
            if (!bare && !writingChecks(*record, column, row))
                return false;
            if (!isWritten(*record, column, row))
                continue;
            rowWritten = true;
            if (bare) {
                out += bareAdifTag(column);
                continue;
            }
            const TrimmedText value(document_.text(column, row));
            appendAdifTag(out, summaryOf(column).writtenName, value.view(), *record);
        }
        if (rowWritten) {
            out += kAdifEndOfRecord;
            const std::string &trailer = document_.recordTrailer(row - 1);
            out += trailer.empty() ? kAdifRowEnd : std::string_view(trailer);
            handOnText();
        }
    }
    return true;
}

bool ExportRun::writeXml()
{
    std::string &out = out_;
    const std::string_view head = utf8Text() ? kXmlHeadUtf8 : kXmlHead;
    reserveText(head.size() + 2 * estimate_ + kXmlEnd.size() + 1);
    out += head;
    for (int row = 1; row <= lastRow_; ++row) {
        if (stopped(row - 1))
            return false;
        bool rowWritten = false;
        for (int column = 1; column <= lastColumn_; ++column) {
            if (!bareAfterGate(column, row) && checkedRecord(column, row) == nullptr)
                return false;
            if (!rowWritten)
                out += kXmlRowOpen;
            const std::string &name = summaryOf(column).writtenName;
            out += '<';
            out += name;
            out += '>';
            appendEscaped(out, TrimmedText(document_.text(column, row)).view());
            out += "</";
            out += name;
            out += '>';
            rowWritten = true;
        }
        if (rowWritten) {
            out += kXmlRowClose;
            handOnText();
        }
    }
    out += kXmlEnd;
    return true;
}

bool ExportRun::writeHtml()
{
    std::string &out = out_;
    out = kHtmlPageHead;
    if (utf8Text()) {
        const size_t titleEnd = out.find(kHtmlTitleEnd) + kHtmlTitleEnd.size();
        out.insert(titleEnd, kHtmlUtf8Charset);
    }
    out += '\n';
    out += kHtmlRowOpen;
    for (int column = 1; column <= lastColumn_; ++column) {
        out += kHtmlCellOpen;
        out += "<U>";
        appendEscaped(out, document_.normalizeColumnHeader(column));
        out += "</U>";
        out += kHtmlCellClose;
    }
    out += kHtmlRowClose;
    reserveText(out.size() + 2 * estimate_ + kHtmlPageEnd.size() + 1);
    for (int row = 1; row <= lastRow_; ++row) {
        if (stopped(row - 1))
            return false;
        const std::string_view cellOpen = row % 2 == 1 ? kHtmlOddCellOpen : kHtmlCellOpen;
        bool rowWritten = false;
        for (int column = 1; column <= lastColumn_; ++column) {
            if (!bareAfterGate(column, row) && checkedRecord(column, row) == nullptr)
                return false;
            if (!rowWritten)
                out += kHtmlRowOpen;
            out += cellOpen;
            appendEscaped(out, TrimmedText(document_.text(column, row)).view());
            out += kHtmlCellClose;
            out += '\n';
            rowWritten = true;
        }
        if (rowWritten) {
            out += kHtmlRowClose;
            out += '\n';
            handOnText();
        }
    }
    out += kHtmlPageEnd;
    return true;
}

}  // namespace vaziduvu
