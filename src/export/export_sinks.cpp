#include "export/export_sinks.h"

#include "adif/field_catalogue.h"
#include "document/log_document.h"
#include "export/markup.h"
#include "export/streamed_file.h"
#include "export/writers.h"

#include <charconv>
#include <cstring>

namespace vaziduvu {

void SinkText::reserve(size_t size)
{
    if (file == nullptr)
        text.reserve(size);
}

void SinkText::handOn()
{
    if (file != nullptr && text.size() >= StreamedExportFile::kPieceSize)
        file->write(text);
}

AdifSink::AdifSink(SinkText &out, std::vector<std::string> names, ExportHost &host)
    : out_(out)
    , names_(std::move(names))
    , host_(host)
    , bareTags_(names_.size())
{
}

void AdifSink::begin(LogDocument &, size_t estimate)
{
    std::string header = kAdifHeaderStart + host_.exportDate();
    header += kAdifHeaderEnd;
    // The header is written even for a log without records, so the file
    // reads back as an (empty) ADIF log.
    out_.reserve(out_.text.size() + header.size() + estimate + 1);
    out_.text += header;
}

void AdifSink::appendTag(std::string &out, const std::string &name, std::string_view value,
                         const TagRecord &record)
{
    // Sized once and filled in place: a whole logbook writes millions.
    char length[24];
    const size_t digits = static_cast<size_t>(
        std::to_chars(length, length + sizeof length, value.size()).ptr - length);
    const size_t at = out.size();
    out.resize(at + name.size() + digits + (record.hasType ? 5 : 3) + value.size()
               + record.comment.size());
    char *to = out.data() + at;
    const auto put = [&to](std::string_view text) {
        if (!text.empty())  // an empty view may hold no pointer at all
            std::memcpy(to, text.data(), text.size());
        to += text.size();
    };
    *to++ = '<';
    put(name);
    *to++ = ':';
    put(std::string_view(length, digits));
    if (record.hasType) {
        *to++ = ':';
        *to++ = typeLetterOf(record.dataType);
    }
    *to++ = '>';
    put(value);
    put(record.comment);
}

void AdifSink::cell(int column, std::string_view text, const TagRecord &record, int, bool bare)
{
    recordOpen_ = true;
    const std::string &name = names_[static_cast<size_t>(column)];
    if (!bare) {
        appendTag(out_.text, name, text, record);
        return;
    }
    std::string &tag = bareTags_[static_cast<size_t>(column)];
    if (tag.empty())
        appendTag(tag, name, {}, record);
    out_.text += tag;
}

void AdifSink::endRecord(const LogDocument &document, int row)
{
    if (!recordOpen_)
        return;
    recordOpen_ = false;
    out_.text += kAdifEndOfRecord;
    const std::string &trailer = document.recordTrailer(row - 1);
    out_.text += trailer.empty() ? kAdifRowEnd : std::string_view(trailer);
    out_.handOn();
}

XmlSink::XmlSink(SinkText &out, std::vector<std::string> names, bool utf8)
    : out_(out)
    , names_(std::move(names))
    , utf8_(utf8)
{
}

void XmlSink::begin(LogDocument &, size_t estimate)
{
    const std::string_view head = utf8_ ? kXmlHeadUtf8 : kXmlHead;
    out_.reserve(out_.text.size() + head.size() + 2 * estimate + kXmlEnd.size() + 1);
    out_.text += head;
}

void XmlSink::cell(int column, std::string_view text, const TagRecord &, int, bool)
{
    std::string &out = out_.text;
    if (!recordOpen_)
        out += kXmlRowOpen;
    recordOpen_ = true;
    const std::string &name = names_[static_cast<size_t>(column)];
    out += '<';
    out += name;
    out += '>';
    appendEscaped(out, text);
    out += "</";
    out += name;
    out += '>';
}

void XmlSink::endRecord(const LogDocument &, int)
{
    if (!recordOpen_)
        return;
    recordOpen_ = false;
    out_.text += kXmlRowClose;
    out_.handOn();
}

void XmlSink::end()
{
    out_.text += kXmlEnd;
}

HtmlSink::HtmlSink(SinkText &out, int lastColumn, bool utf8)
    : out_(out)
    , lastColumn_(lastColumn)
    , utf8_(utf8)
{
}

void HtmlSink::begin(LogDocument &document, size_t estimate)
{
    std::string &out = out_.text;
    const size_t start = out.size();
    out += kHtmlPageHead;
    if (utf8_) {
        const size_t titleEnd = out.find(kHtmlTitleEnd, start) + kHtmlTitleEnd.size();
        out.insert(titleEnd, kHtmlUtf8Charset);
    }
    out += '\n';
    out += kHtmlRowOpen;
    for (int column = 1; column <= lastColumn_; ++column) {
        out += kHtmlCellOpen;
        out += "<U>";
        appendEscaped(out, document.normalizeColumnHeader(column));
        out += "</U>";
        out += kHtmlCellClose;
    }
    out += kHtmlRowClose;
    out_.reserve(out.size() + 2 * estimate + kHtmlPageEnd.size() + 1);
}

void HtmlSink::cell(int, std::string_view text, const TagRecord &, int shownRow, bool)
{
    std::string &out = out_.text;
    if (!recordOpen_)
        out += kHtmlRowOpen;
    recordOpen_ = true;
    out += shownRow % 2 == 1 ? kHtmlOddCellOpen : kHtmlCellOpen;
    appendEscaped(out, text);
    out += kHtmlCellClose;
    out += '\n';
}

void HtmlSink::endRecord(const LogDocument &, int)
{
    if (!recordOpen_)
        return;
    recordOpen_ = false;
    out_.text += kHtmlRowClose;
    out_.text += '\n';
    out_.handOn();
}

void HtmlSink::end()
{
    out_.text += kHtmlPageEnd;
}

}  // namespace vaziduvu
