#include "formats/xml_element.h"

#include "adif/utf8_text.h"

#include <cctype>
#include <cstdlib>

namespace vaziduvu {

std::string_view XmlElement::attribute(std::string_view wanted) const
{
    for (const auto &[name, value] : attributes) {
        if (name == wanted)
            return value;
    }
    return {};
}

namespace {

constexpr int kMaxDepth = 256;

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'
        || static_cast<unsigned char>(c) >= 0x80;
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class XmlParser {
public:
    explicit XmlParser(std::string_view text)
        : text_(text)
    {
    }

    XmlDocument run()
    {
        XmlDocument document;
        if (startsWithUtf8ByteOrderMark(text_))
            at_ = kUtf8ByteOrderMark.size();
        if (!prolog(document) || !element(document.root, 0) || !epilog()) {
            document.errorLine = errorLine_;
            document.error = error_;
            return document;
        }
        document.latin1 = latin1_;
        document.ok = true;
        return document;
    }

private:
    bool fail(std::string reason)
    {
        if (error_.empty()) {
            error_ = std::move(reason);
            errorLine_ = line_;
        }
        return false;
    }
    bool atEnd() const { return at_ >= text_.size(); }
    bool startsWith(std::string_view prefix) const
    {
        return text_.substr(at_, prefix.size()) == prefix;
    }
    void advance(size_t count)
    {
        for (size_t i = 0; i < count && !atEnd(); ++i) {
            if (text_[at_] == '\n')
                ++line_;
            ++at_;
        }
    }
    void skipSpace()
    {
        while (!atEnd() && isSpace(text_[at_]))
            advance(1);
    }
    // Skips past the terminator; false when the text ends first.
    bool skipPast(std::string_view terminator)
    {
        const size_t end = text_.find(terminator, at_);
        if (end == std::string_view::npos)
            return fail("\"" + std::string(terminator) + "\" is missing");
        advance(end + terminator.size() - at_);
        return true;
    }
    // Comments, processing instructions and a document type between markup.
    bool miscellany(bool allowDoctype)
    {
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                if (!skipPast("-->"))
                    return false;
            } else if (startsWith("<?")) {
                if (!skipPast("?>"))
                    return false;
            } else if (allowDoctype && startsWith("<!DOCTYPE")) {
                if (text_.find('[', at_) < text_.find('>', at_))
                    return fail("a document type with declarations is not read");
                if (!skipPast(">"))
                    return false;
            } else {
                return true;
            }
        }
    }
    bool prolog(XmlDocument &)
    {
        if (startsWith("<?xml")) {
            const size_t end = text_.find("?>", at_);
            if (end == std::string_view::npos)
                return fail("the XML declaration is not closed");
            std::string declaration(text_.substr(at_, end - at_));
            for (char &c : declaration)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            latin1_ = declaration.find("ISO-8859-1") != std::string::npos
                || declaration.find("LATIN1") != std::string::npos;
            advance(end + 2 - at_);
        }
        return miscellany(true);
    }
    bool epilog()
    {
        if (!miscellany(false))
            return false;
        if (!atEnd())
            return fail("text after the root element");
        return true;
    }
    bool name(std::string &out)
    {
        if (atEnd() || !isNameStart(text_[at_]))
            return fail("a name was expected");
        const size_t start = at_;
        while (!atEnd() && isNameChar(text_[at_]))
            ++at_;
        out.assign(text_.substr(start, at_ - start));
        return true;
    }
    bool reference(std::string &out)
    {
        const size_t end = text_.find(';', at_);
        if (end == std::string_view::npos || end - at_ > 12)
            return fail("an '&' that starts no entity");
        const std::string_view entity = text_.substr(at_ + 1, end - at_ - 1);
        if (entity == "amp")
            out += '&';
        else if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string digits(entity.substr(hex ? 2 : 1));
            char *stop = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
            if (digits.empty() || *stop != '\0'
                || !std::isxdigit(static_cast<unsigned char>(digits[0])) || code == 0)
                return fail("a character reference that is no character");
            if (latin1_) {
                if (code > 0xFF)
                    return fail("a character reference beyond ISO-8859-1");
                out += static_cast<char>(code);
            } else if (!appendUtf8(code, out)) {
                return fail("a character reference that is no character");
            }
        } else {
            return fail("the entity &" + std::string(entity) + "; is not known");
        }
        advance(end + 1 - at_);
        return true;
    }
    bool attributes(XmlElement &element)
    {
        for (;;) {
            const size_t before = at_;
            skipSpace();
            if (atEnd())
                return fail("the tag <" + element.name + " is not closed");
            if (text_[at_] == '>' || text_[at_] == '/')
                return true;
            if (at_ == before)
                return fail("a space is needed before an attribute");
            std::string key;
            if (!name(key))
                return false;
            skipSpace();
            if (atEnd() || text_[at_] != '=')
                return fail("the attribute " + key + " has no value");
            advance(1);
            skipSpace();
            if (atEnd() || (text_[at_] != '"' && text_[at_] != '\''))
                return fail("the value of " + key + " is not quoted");
            const char quote = text_[at_];
            advance(1);
            std::string value;
            while (!atEnd() && text_[at_] != quote) {
                if (text_[at_] == '<')
                    return fail("'<' in the value of " + key);
                if (text_[at_] == '&') {
                    if (!reference(value))
                        return false;
                    continue;
                }
                value += text_[at_];
                advance(1);
            }
            if (atEnd())
                return fail("the value of " + key + " is not closed");
            advance(1);
            for (const auto &existing : element.attributes) {
                if (existing.first == key)
                    return fail("the attribute " + key + " is given twice");
            }
            element.attributes.emplace_back(std::move(key), std::move(value));
        }
    }
    bool element(XmlElement &element, int depth)
    {
        if (depth > kMaxDepth)
            return fail("elements nested too deeply");
        if (atEnd() || text_[at_] != '<')
            return fail("an element was expected");
        element.line = line_;
        advance(1);
        if (!name(element.name) || !attributes(element))
            return false;
        if (text_[at_] == '/') {
            if (!startsWith("/>"))
                return fail("'/' must be followed by '>'");
            advance(2);
            return true;
        }
        advance(1);
        for (;;) {
            if (atEnd())
                return fail("the element " + element.name + " is not closed");
            const char c = text_[at_];
            if (c == '&') {
                if (!reference(element.text))
                    return false;
            } else if (c != '<') {
                element.text += c;
                advance(1);
            } else if (startsWith("</")) {
                advance(2);
                std::string closing;
                if (!name(closing))
                    return false;
                skipSpace();
                if (atEnd() || text_[at_] != '>')
                    return fail("the closing tag of " + closing + " is not closed");
                if (closing != element.name)
                    return fail("</" + closing + "> closes <" + element.name + ">");
                advance(1);
                return true;
            } else if (startsWith("<![CDATA[")) {
                advance(9);
                const size_t end = text_.find("]]>", at_);
                if (end == std::string_view::npos)
                    return fail("a CDATA section is not closed");
                const size_t start = at_;
                advance(end - at_);
                element.text += text_.substr(start, end - start);
                advance(3);
            } else if (startsWith("<!--")) {
                if (!skipPast("-->"))
                    return false;
            } else if (startsWith("<?")) {
                if (!skipPast("?>"))
                    return false;
            } else {
                element.children.emplace_back();
                if (!this->element(element.children.back(), depth + 1))
                    return false;
            }
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
    bool latin1_ = false;
    int errorLine_ = 0;
    std::string error_;
};

bool isXmlCharacter(unsigned char c)
{
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

XmlDocument readXml(std::string_view text)
{
    return XmlParser(text).run();
}

void appendXmlEscaped(std::string_view text, std::string &out)
{
    for (const char c : text) {
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
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            if (isXmlCharacter(static_cast<unsigned char>(c)))
                out += c;
        }
    }
}

bool isXmlText(std::string_view text)
{
    for (const char c : text) {
        if (!isXmlCharacter(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

}  // namespace vaziduvu
