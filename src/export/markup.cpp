#include "export/markup.h"

namespace vaziduvu {

namespace {

bool isXmlNameStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'
        || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

}  // namespace

char forbiddenControl(std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
            return c;
    }
    return 0;
}

bool isXmlName(std::string_view name)
{
    if (name.empty() || !isXmlNameStart(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name.substr(1)) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isXmlNameStart(byte) && !(byte >= '0' && byte <= '9') && c != '.' && c != '-'
            && byte != 0xB7)
            return false;
    }
    return true;
}

}  // namespace vaziduvu
