#include "adif/text.h"

namespace vaziduvu {

namespace {
bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) < 33;
}
}  // namespace

std::string trimText(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

char upperChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    return c;
}

std::string upperText(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = upperChar(c);
    return result;
}

std::string upperText(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return upperText(text);
    std::string result(text);
    for (char &c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    return result;
}

}  // namespace vaziduvu
