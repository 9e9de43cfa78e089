#pragma once

// The fixed texts of the three export formats, and what a value needs to
// stand between their tags.

#include <cstddef>
#include <string>
#include <string_view>

namespace vaziduvu {

inline constexpr std::string_view kAdifHeaderEnd = "\r\n<EOH>\r\n";
inline constexpr std::string_view kAdifEndOfRecord = "<EOR>";
inline constexpr std::string_view kAdifRowEnd = "\r\n";

// The text is single-byte Latin-1, and the head says so: without it an XML
// parser reads the bytes as UTF-8 and stops at the first byte above 127.
inline constexpr std::string_view kXmlHead
    = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\r\n<NewDataSet>\r\n";
inline constexpr std::string_view kXmlHeadUtf8
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<NewDataSet>\r\n";
inline constexpr std::string_view kXmlRowOpen = "    <DataRow>\r\n        ";
inline constexpr std::string_view kXmlRowClose = "\r\n    </DataRow>\r\n";
inline constexpr std::string_view kXmlEnd = "</NewDataSet>";

// The fixed pieces of the HTML page.
inline constexpr std::string_view kHtmlPageHead
    = "<!DOCTYPE HTML PUBLIC \"- //W3C//DTD HTML 4.0//EN\"><HTML><HEAD><TITLE>HTML generated "
      "from .ADI file ...</TITLE><STYLE TYPE=\"text/css\">TD.lineitem "
      "{BACKGROUND-COLOR:#A0C8C0}TD.lineitem-odd "
      "{BACKGROUND-COLOR:#E0FFE0}</STYLE></HEAD><HR><B>"
      "Amateur Radio Data exported by Vaziduvu editor (beta version) - Corvantis, "
      "Inc.</B><BR><HR><TABLE cellspacing=0 cellPadding=2 width =100% border=0><TBODY>";
// A UTF-8 page says so in its head, right after the title.
inline constexpr std::string_view kHtmlTitleEnd = "</TITLE>";
inline constexpr std::string_view kHtmlUtf8Charset
    = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">";
inline constexpr std::string_view kHtmlRowOpen = "<TR>";
inline constexpr std::string_view kHtmlCellOpen = "<TD class=lineitem valign=top>";
inline constexpr std::string_view kHtmlOddCellOpen = "<TD class=lineitem-odd valign=top>";
inline constexpr std::string_view kHtmlCellClose = "</TD>";
inline constexpr std::string_view kHtmlRowClose = "</TR>";
inline constexpr std::string_view kHtmlPageEnd = "</TBODY></TABLE></BODY></HTML>";

// Appends the text with &, <, > and carriage returns escaped: values and
// HTML headings go between tags. Inline: it runs for every cell.
inline void appendEscaped(std::string &out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";  // a parser would read a bare CR as LF
            break;
        default:
            out += c;
            break;
        }
    }
}

// The size the text takes once escaped.
inline size_t escapedSize(std::string_view text)
{
    size_t size = text.size();
    for (char c : text) {
        if (c == '&' || c == '\r')
            size += 4;
        else if (c == '<' || c == '>')
            size += 3;
    }
    return size;
}

// A control character XML 1.0 cannot hold (tab, line feed and carriage
// return it can); 0 when the text has none.
char forbiddenControl(std::string_view text);

// An XML element name (without name spaces): a letter or '_' first, then
// letters, digits, '.', '-' and '_'.
bool isXmlName(std::string_view name);

}  // namespace vaziduvu
