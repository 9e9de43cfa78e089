#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vaziduvu {

// An element of a small XML document as the ADX reader needs it: name,
// attributes, the text directly inside it (entities and character
// references resolved, CDATA taken as it is) and the child elements.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    std::vector<XmlElement> children;
    int line = 0;

    // The attribute's value, empty when absent.
    std::string_view attribute(std::string_view name) const;
};

// The outcome of reading an XML text: the root element, or the line and
// the reason of the first error. The text is UTF-8 unless its declaration
// names ISO-8859-1 (then latin1 is set and bytes are kept as they are).
struct XmlDocument {
    XmlElement root;
    bool ok = false;
    bool latin1 = false;
    int errorLine = 0;
    std::string error;
};

// Reads a well-formed XML text: a declaration, comments, processing
// instructions and a document type (skipped), one root element. Namespaces
// are not interpreted. Nesting deeper than a few hundred levels is refused.
XmlDocument readXml(std::string_view text);

// Appends the text with &, <, > and " escaped, and control characters other
// than tab and line breaks as character references, so the file stays
// well-formed XML 1.0 (a character XML 1.0 cannot hold is dropped: such a
// value cannot be written, which the caller checks with isXmlText).
void appendXmlEscaped(std::string_view text, std::string &out);
// True when every character may stand in an XML 1.0 text.
bool isXmlText(std::string_view text);

}  // namespace vaziduvu
